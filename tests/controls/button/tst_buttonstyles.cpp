#include "controls/button/buttondrawing.h"
#include "controls/button/pexbutton.h"
#include "controls/button/styles/buttonskins.h"
#include "controls/button/styles/buttonstyles.h"
#include "controls/button/updateregion.h"
#include "controls/common/colorvalue.h"

#include <QtTest>

// Every style drawn on an 80 x 24 surface with fixed colours; the rows check the pixels that tell
// the styles and their states apart.

namespace {

constexpr int W = 80;
constexpr int H = 24;
constexpr quint32 Cleared = rgbValue(1, 2, 3);      // the surface before the style draws
constexpr quint32 Container = rgbValue(40, 50, 60); // the container's background colour

// Flags of the button state, combined with |.
constexpr int Disabled = 1;
constexpr int Checked = 2;
constexpr int Focused = 4; // has the focus in an active window
constexpr int Default = 8; // shown as the default button in an active window
constexpr int FocusRect = 16;
constexpr int Inside = 32;
constexpr int LeftDown = 64;
constexpr int Design = 128;   // the container is being designed
constexpr int Inactive = 256; // the window is not active
constexpr int BackStyle = 512;
constexpr int Border = 1024;

struct Probe
{
    int x = 0;
    int y = 0;
    quint32 colour = 0; // an RGB value or a system colour reference
};

constexpr quint32 rgb(int r, int g, int b)
{
    return rgbValue(r, g, b);
}

// A dotted focus rectangle turns the pixel at its corner into the inverse of what lay there.
constexpr quint32 inverted(quint32 colour)
{
    return ~colour & 0xFFFFFFu;
}

ButtonStyleInput inputOf(int style, VisualState state, int flags, quint32 c)
{
    ButtonStyleInput input;
    input.buttonStyle = style;
    input.state = state;
    input.backColor = int(c);
    input.foreColor = int(rgb(0, 0, 0));
    input.containerBackColor = int(Container);
    input.surfaceColor = int(Cleared);
    input.enabled = !(flags & Disabled);
    input.checkBoxMode = flags & Checked;
    input.value = flags & Checked;
    input.hasFocus = flags & Focused;
    input.isDefault = flags & Default;
    input.showFocusRect = flags & FocusRect;
    input.mouseInside = flags & Inside;
    input.leftButtonDown = flags & LeftDown;
    input.runMode = !(flags & Design);
    input.parentActive = !(flags & Inactive);
    input.backStyle = flags & BackStyle;
    input.borderStyle = flags & Border;
    input.captionFrame = {20, 4, 60, 20};
    if (input.backStyle) {
        input.containerBackground = QImage(W, H, QImage::Format_RGB32);
        input.containerBackground.fill(QColor(200, 100, 50));
    }
    return input;
}

QImage drawn(const ButtonStyleInput &input, ButtonStyleEffects *effects = nullptr)
{
    QImage surface = makeButtonSurface(W, H);
    FillArea(surface, {0, 0, W, H}, int(Cleared));
    const ButtonStyleEffects result = drawStyleBackground(surface, input);
    if (effects)
        *effects = result;
    return surface;
}

QString described(int x, int y, int colour)
{
    return QStringLiteral("(%1, %2) = RGB(%3, %4, %5)")
        .arg(x)
        .arg(y)
        .arg(colour & 0xFF)
        .arg((colour >> 8) & 0xFF)
        .arg((colour >> 16) & 0xFF);
}

constexpr VisualState Normal = VisualState::StateNormal;
constexpr VisualState Hover = VisualState::StateHover;
constexpr VisualState Pressed = VisualState::StatePressed;

constexpr quint32 Face = rgb(212, 208, 200); // a button face for the classic and toolbar styles

} // namespace

Q_DECLARE_METATYPE(Probe)
Q_DECLARE_METATYPE(VisualState)

class TestButtonStyles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void telltalePixels_data();
    void telltalePixels();
    void sameLook_data();
    void sameLook();
    void sideEffects_data();
    void sideEffects();
    void unknownStyleDrawsNothing_data();
    void unknownStyleDrawsNothing();
    void skinFillsExactlyTheWindowShape_data();
    void skinFillsExactlyTheWindowShape();
    void skinTablesKeepTheirGeometry();
    void tinyButtonsStayInsideTheirSurface_data();
    void tinyButtonsStayInsideTheirSurface();
    void shapeRefreshedAtRest_data();
    void shapeRefreshedAtRest();

    // The side effects as the button itself shows them.
    void roundedPlainCaptionTurnsWhileHeldDown();
    void pointerAndCaptionReset_data();
    void pointerAndCaptionReset();
    void transparentFaceShowsTheContainer();
    void containerColourRoundTheFace_data();
    void containerColourRoundTheFace();
};

void TestButtonStyles::telltalePixels_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<VisualState>("state");
    QTest::addColumn<int>("flags");
    QTest::addColumn<quint32>("backColor");
    QTest::addColumn<QList<Probe>>("probes");

    const quint32 light = SystemColor::ButtonLight;
    const quint32 highlight = SystemColor::ButtonHighlight;
    const quint32 shadow = SystemColor::ButtonShadow;
    const quint32 dark = SystemColor::DarkShadow;
    const quint32 workspace = SystemColor::AppWorkspace;
    const quint32 grey = SystemColor::GrayText;
    const quint32 black = rgb(0, 0, 0);
    const quint32 white = rgb(255, 255, 255);
    const quint32 checkedFace = rgb(217, 213, 205); // Face lightened by 0.02

    // Classic, soft, flat raised and flat thin.
    QTest::newRow("0 normal: raised edge")
        << 0 << Normal << 0 << Face
        << QList<Probe>{{0, 0, light}, {1, 1, highlight}, {79, 23, dark}, {78, 22, shadow}, {40, 12, Face}};
    QTest::newRow("0 hover: raised edge")
        << 0 << Hover << 0 << Face << QList<Probe>{{0, 0, light}, {79, 23, dark}, {40, 12, Face}};
    QTest::newRow("0 pressed: dark double frame")
        << 0 << Pressed << 0 << Face
        << QList<Probe>{{0, 12, black}, {1, 12, rgb(172, 168, 153)}, {2, 12, Face}};
    QTest::newRow("0 disabled: raised edge")
        << 0 << Normal << Disabled << Face << QList<Probe>{{0, 0, light}, {79, 23, dark}};
    QTest::newRow("0 checked: sunken lighter face")
        << 0 << Normal << Checked << Face
        << QList<Probe>{{0, 0, shadow}, {1, 1, dark}, {79, 23, highlight}, {40, 12, checkedFace}};
    QTest::newRow("0 checked focused: workspace frame")
        << 0 << Normal << (Checked | Focused | FocusRect) << Face
        << QList<Probe>{{4, 10, workspace}, {76, 10, workspace}, {5, 10, checkedFace}};
    QTest::newRow("0 default without focus: black outer border")
        << 0 << Normal << Default << Face
        << QList<Probe>{{0, 12, black}, {79, 12, black}, {78, 12, workspace}, {4, 4, Face}};
    QTest::newRow("0 default pressed: no heavy border")
        << 0 << Pressed << Default << Face << QList<Probe>{{78, 12, rgb(172, 168, 153)}};
    QTest::newRow("0 default with focus rectangle: dotted 4 inside")
        << 0 << Normal << (Default | FocusRect) << Face
        << QList<Probe>{{4, 4, inverted(Face)}, {5, 4, Face}, {0, 12, black}};
    QTest::newRow("0 focus rectangle needs an active window")
        << 0 << Normal << (Focused | FocusRect | Inactive) << Face
        << QList<Probe>{{4, 4, Face}, {0, 12, black}};
    QTest::newRow("0 focus rectangle needs run mode")
        << 0 << Normal << (Focused | FocusRect | Design) << Face << QList<Probe>{{4, 4, Face}};
    QTest::newRow("1 normal: thin raised edge")
        << 1 << Normal << 0 << Face << QList<Probe>{{0, 0, highlight}, {79, 23, shadow}, {1, 1, Face}};
    QTest::newRow("1 hover: thin raised edge")
        << 1 << Hover << 0 << Face << QList<Probe>{{0, 0, highlight}, {79, 23, shadow}, {1, 1, Face}};
    QTest::newRow("1 pressed: white frame under grey top and left")
        << 1 << Pressed << 0 << Face
        << QList<Probe>{{0, 0, grey}, {0, 12, grey}, {79, 12, white}, {40, 23, white}};
    QTest::newRow("1 checked: sunken")
        << 1 << Pressed << Checked << Face << QList<Probe>{{0, 0, shadow}, {40, 12, checkedFace}};
    QTest::newRow("1 focused: dotted 3 inside")
        << 1 << Normal << (Focused | FocusRect) << Face << QList<Probe>{{3, 3, inverted(Face)}, {4, 4, Face}};
    QTest::newRow("11 normal: flat") << 11 << Normal << 0 << Face
                                     << QList<Probe>{{0, 0, Face}, {79, 23, Face}};
    QTest::newRow("11 hover: raised edge")
        << 11 << Hover << 0 << Face << QList<Probe>{{0, 0, light}, {1, 1, highlight}};
    QTest::newRow("11 pressed: sunken edge")
        << 11 << Pressed << 0 << Face << QList<Probe>{{0, 0, shadow}, {1, 1, dark}};
    QTest::newRow("11 focused: dotted 4 inside") << 11 << Normal << (Focused | FocusRect) << Face
                                                 << QList<Probe>{{4, 4, inverted(Face)}, {3, 3, Face}};
    QTest::newRow("12 normal: flat") << 12 << Normal << 0 << Face << QList<Probe>{{0, 0, Face}};
    QTest::newRow("12 hover: thin raised edge")
        << 12 << Hover << 0 << Face << QList<Probe>{{0, 0, highlight}, {1, 1, Face}};
    QTest::newRow("12 pressed: thin frame")
        << 12 << Pressed << 0 << Face << QList<Probe>{{0, 0, grey}, {79, 12, white}};
    QTest::newRow("12 checked: lighter face, no edge")
        << 12 << Pressed << Checked << Face << QList<Probe>{{0, 0, checkedFace}, {40, 12, checkedFace}};

    // Shadowed.
    const quint32 blue = rgb(0, 109, 170);
    const quint32 blueRim = rgb(76, 186, 246);
    const QList<Probe> shadowed{{40, 10, blue},
                                {0, 10, blueRim},
                                {76, 10, rgb(128, 128, 128)},
                                {77, 10, rgb(160, 160, 160)},
                                {78, 10, rgb(192, 192, 192)},
                                {79, 10, Container},
                                {79, 0, Container},
                                {10, 22, rgb(192, 192, 192)},
                                {2, 22, Container}};
    QTest::newRow("5 normal: face over its shadow") << 5 << Normal << 0 << blue << shadowed;
    QTest::newRow("5 hover: as at rest") << 5 << Hover << 0 << blue << shadowed;
    QTest::newRow("5 pressed: face moved into the shadow")
        << 5 << Pressed << 0 << blue
        << QList<Probe>{
               {3, 10, blueRim}, {79, 12, blueRim}, {40, 12, blue}, {1, 10, Container}, {0, 0, Container}};
    QTest::newRow("5 disabled: lighter face")
        << 5 << Normal << Disabled << blue
        << QList<Probe>{{40, 10, rgb(26, 134, 196)}, {0, 10, rgb(102, 210, 255)}};
    QTest::newRow("5 focused: dotted inside the face")
        << 5 << Normal << (Focused | FocusRect) << blue << QList<Probe>{{3, 3, inverted(blue)}};
    QTest::newRow("5 focused pressed: dotted inside the moved face")
        << 5 << Pressed << (Focused | FocusRect) << blue
        << QList<Probe>{{6, 6, inverted(blue)}, {3, 3, blueRim}};

    // Toolbar light and toolbar flat.
    const quint32 lightFrame = rgb(97, 158, 202);
    const quint32 lightCorner = rgb(174, 234, 255);
    QTest::newRow("8 normal: flat face")
        << 8 << Normal << 0 << Face << QList<Probe>{{0, 0, Face}, {1, 1, Face}};
    QTest::newRow("8 hover: light gradient, blue frame")
        << 8 << Hover << 0 << Face
        << QList<Probe>{{0, 12, lightFrame},          {1, 12, white},
                        {1, 1, lightCorner},          {40, 2, rgb(240, 249, 253)},
                        {40, 13, rgb(223, 242, 251)}, {40, 14, rgb(208, 236, 248)}};
    QTest::newRow("8 pressed: deeper gradient")
        << 8 << Pressed << 0 << Face
        << QList<Probe>{
               {0, 12, lightFrame}, {1, 1, lightCorner}, {40, 2, rgb(178, 222, 241)}, {40, 22, white}};
    QTest::newRow("8 disabled: flat even under the pointer")
        << 8 << Hover << Disabled << Face << QList<Probe>{{0, 12, Face}, {1, 1, Face}, {40, 12, Face}};
    QTest::newRow("9 normal: gradient from white")
        << 9 << Normal << 0 << Face
        << QList<Probe>{{40, 0, white}, {40, 12, rgb(233, 231, 227)}, {40, 23, Face}};
    QTest::newRow("9 hover: flat blue")
        << 9 << Hover << 0 << Face << QList<Probe>{{40, 12, rgb(193, 210, 238)}, {0, 12, rgb(49, 106, 197)}};
    QTest::newRow("9 pressed: deeper blue")
        << 9 << Pressed << 0 << Face << QList<Probe>{{40, 12, rgb(152, 181, 226)}, {0, 12, rgb(75, 75, 111)}};
    QTest::newRow("9 checked: pale face")
        << 9 << Normal << Checked << Face
        << QList<Probe>{{40, 12, rgb(225, 230, 232)}, {0, 12, rgb(88, 88, 124)}};
    QTest::newRow("9 checked held down: still pale")
        << 9 << Pressed << Checked << Face << QList<Probe>{{40, 12, rgb(225, 230, 232)}};
    QTest::newRow("9 checked hover: pressed blue, hover frame")
        << 9 << Hover << Checked << Face
        << QList<Probe>{{40, 12, rgb(152, 181, 226)}, {0, 12, rgb(49, 106, 197)}};

    // Skinned: outside the rounded outline the container shows.
    const quint32 skinGrey = rgb(208, 208, 208);
    QTest::newRow("14 normal: light grey skin")
        << 14 << Normal << 0 << skinGrey
        << QList<Probe>{
               {0, 12, rgb(247, 247, 247)},  {1, 12, rgb(160, 160, 160)}, {2, 12, rgb(153, 153, 153)},
               {79, 12, rgb(246, 246, 246)}, {40, 0, rgb(106, 105, 103)}, {40, 23, rgb(197, 197, 197)},
               {40, 12, rgb(232, 231, 234)}, {0, 0, Container},           {79, 23, Container}};
    QTest::newRow("14 hover: blue skin")
        << 14 << Hover << 0 << skinGrey << QList<Probe>{{40, 12, rgb(106, 166, 226)}, {0, 0, Container}};
    QTest::newRow("14 pressed: deeper blue skin")
        << 14 << Pressed << 0 << skinGrey << QList<Probe>{{40, 12, rgb(106, 155, 204)}, {0, 0, Container}};
    QTest::newRow("14 focused at rest: hover skin")
        << 14 << Normal << Focused << skinGrey << QList<Probe>{{40, 12, rgb(106, 166, 226)}};
    QTest::newRow("14 focused pressed: pressed skin")
        << 14 << Pressed << Focused << skinGrey << QList<Probe>{{40, 12, rgb(106, 155, 204)}};
    QTest::newRow("14 checked: pressed skin")
        << 14 << Normal << Checked << skinGrey << QList<Probe>{{40, 12, rgb(106, 155, 204)}};

    // Image only.
    const quint32 sky = rgb(173, 209, 255);
    const quint32 skyBorder = rgb(86, 122, 168); // sky darkened by 0.34
    QTest::newRow("16 normal: plain face, no border")
        << 16 << Normal << 0 << sky << QList<Probe>{{0, 0, sky}, {40, 12, sky}};
    QTest::newRow("16 hover with border")
        << 16 << Hover << Border << sky << QList<Probe>{{0, 0, skyBorder}, {40, 12, sky}};
    QTest::newRow("16 transparent: the container shows through")
        << 16 << Pressed << BackStyle << sky
        << QList<Probe>{{0, 0, rgb(200, 100, 50)}, {40, 12, rgb(200, 100, 50)}};
    QTest::newRow("16 checked: orange gradients") << 16 << Pressed << Checked << sky
                                                  << QList<Probe>{{40, 1, rgb(255, 214, 162)},
                                                                  {40, 8, rgb(255, 192, 111)},
                                                                  {40, 9, rgb(255, 171, 63)},
                                                                  {40, 22, rgb(255, 221, 113)},
                                                                  {0, 12, skyBorder}};
    QTest::newRow("16 checked under the pointer: deeper orange")
        << 16 << Pressed << (Checked | Inside) << sky
        << QList<Probe>{{40, 1, rgb(255, 191, 88)}, {40, 9, rgb(255, 143, 70)}, {0, 12, skyBorder}};

    // Rounded blue.
    const quint32 warmGrey = rgb(236, 235, 231);
    const quint32 navyBlue = rgb(0, 60, 116);
    const quint32 navyCorner = rgb(76, 136, 192);
    QTest::newRow("2 normal: face from (254, 253, 249) down to c")
        << 2 << Normal << 0 << warmGrey
        << QList<Probe>{{40, 5, rgb(251, 250, 246)},
                        {40, 12, rgb(245, 244, 240)},
                        {40, 19, rgb(240, 239, 235)},
                        {40, 1, rgb(255, 255, 254)},
                        {40, 22, rgb(213, 212, 208)},
                        {40, 21, rgb(223, 222, 218)},
                        {40, 20, rgb(233, 232, 228)},
                        {78, 10, rgb(216, 215, 211)},
                        {1, 10, rgb(246, 245, 243)},
                        {0, 12, navyBlue},
                        {1, 1, navyCorner}};
    const QList<Probe> warmLines{
        {40, 2, rgb(253, 216, 137)}, {40, 1, rgb(255, 240, 207)}, {1, 10, rgb(249, 189, 73)},
        {78, 10, rgb(249, 189, 73)}, {2, 10, rgb(252, 210, 122)}, {77, 10, rgb(252, 210, 122)},
        {40, 21, rgb(248, 179, 48)}, {40, 22, rgb(229, 151, 0)},  {40, 12, rgb(245, 244, 240)},
        {0, 12, navyBlue},           {1, 1, navyCorner}};
    QTest::newRow("2 hover: warm inner lines") << 2 << Hover << 0 << warmGrey << warmLines;
    QTest::newRow("2 hover with the focus: warm lines beat the blue ones")
        << 2 << Hover << Focused << warmGrey << warmLines;
    QTest::newRow("2 normal with the focus: blue inner lines") << 2 << Normal << Focused << warmGrey
                                                               << QList<Probe>{{40, 1, rgb(206, 231, 255)},
                                                                               {1, 10, rgb(142, 175, 230)},
                                                                               {40, 22, rgb(105, 130, 238)},
                                                                               {2, 2, rgb(184, 209, 244)}};
    QTest::newRow("2 normal focused in an inactive window: no blue lines")
        << 2 << Normal << (Focused | Inactive) << warmGrey
        << QList<Probe>{{40, 1, rgb(255, 255, 254)}, {1, 10, rgb(246, 245, 243)}};
    QTest::newRow("2 focus rectangle over the blue lines")
        << 2 << Normal << (Focused | FocusRect) << warmGrey
        << QList<Probe>{{2, 2, inverted(rgb(184, 209, 244))}};
    QTest::newRow("2 pressed: darker face, shaded top and left") << 2 << Pressed << 0 << warmGrey
                                                                 << QList<Probe>{{40, 12, rgb(223, 222, 218)},
                                                                                 {40, 1, rgb(195, 194, 190)},
                                                                                 {40, 2, rgb(210, 210, 206)},
                                                                                 {40, 22, rgb(254, 253, 249)},
                                                                                 {2, 10, rgb(210, 210, 206)},
                                                                                 {78, 10, rgb(246, 245, 241)},
                                                                                 {0, 12, navyBlue}};
    QTest::newRow("2 disabled: flat, no dark blue border")
        << 2 << Normal << (Disabled | Focused | FocusRect) << warmGrey
        << QList<Probe>{{40, 12, rgb(244, 243, 239)},
                        {0, 12, rgb(210, 210, 206)},
                        {1, 1, white},
                        {2, 2, rgb(244, 243, 239)}};

    // Rounded plain: the container shows round the face.
    QTest::newRow("3 normal: flat face")
        << 3 << Normal << 0 << Face << QList<Probe>{{40, 12, Face}, {0, 0, Face}};
    QTest::newRow("3 hover: soft gradient and shading lines")
        << 3 << Hover << 0 << Face << QList<Probe>{{40, 1, rgb(254, 254, 252)},  {0, 12, rgb(206, 206, 195)},
                                                   {40, 22, rgb(215, 210, 198)}, {40, 21, rgb(228, 225, 214)},
                                                   {40, 20, rgb(238, 237, 229)}, {78, 10, rgb(234, 231, 224)},
                                                   {77, 10, rgb(240, 240, 234)}, {1, 1, rgb(199, 199, 188)}};
    QTest::newRow("3 pressed: grey face") << 3 << Pressed << 0 << Face
                                          << QList<Probe>{{40, 12, rgb(229, 228, 221)},
                                                          {40, 1, rgb(215, 213, 204)},
                                                          {0, 12, rgb(157, 157, 146)},
                                                          {1, 1, rgb(130, 129, 120)}};
    QTest::newRow("3 checked: white face") << 3 << Normal << Checked << Face
                                           << QList<Probe>{{40, 12, rgb(254, 254, 254)},
                                                           {0, 12, rgb(122, 152, 175)},
                                                           {1, 1, rgb(109, 128, 142)},
                                                           {78, 10, rgb(254, 254, 254)}};
    QTest::newRow("3 checked hover: shading lines") << 3 << Hover << Checked << Face
                                                    << QList<Probe>{{78, 10, rgb(242, 240, 237)},
                                                                    {40, 22, rgb(228, 222, 216)},
                                                                    {40, 21, rgb(239, 236, 232)},
                                                                    {40, 20, rgb(250, 249, 248)}};
    QTest::newRow("3 checked held down: pressed face")
        << 3 << Hover << (Checked | LeftDown) << Face << QList<Probe>{{40, 12, rgb(229, 228, 221)}};

    // Glass.
    const quint32 glassGrey = rgb(227, 227, 227);
    const quint32 glassCorner = rgb(95, 150, 190);
    QTest::newRow("4 normal: two-part gradient in grey") << 4 << Normal << 0 << glassGrey
                                                         << QList<Probe>{{40, 5, rgb(238, 238, 238)},
                                                                         {40, 12, rgb(222, 222, 222)},
                                                                         {40, 20, rgb(210, 210, 210)},
                                                                         {0, 12, rgb(112, 112, 112)},
                                                                         {1, 12, white},
                                                                         {1, 1, glassCorner}};
    QTest::newRow("4 hover: blue glow bands") << 4 << Hover << 0 << glassGrey
                                              << QList<Probe>{{40, 5, rgb(225, 246, 255)},
                                                              {40, 12, rgb(193, 233, 255)},
                                                              {2, 5, rgb(210, 240, 255)},
                                                              {77, 5, rgb(211, 241, 255)},
                                                              {2, 15, rgb(151, 217, 251)},
                                                              {0, 12, rgb(50, 117, 167)},
                                                              {1, 12, white},
                                                              {1, 1, glassCorner}};
    QTest::newRow("4 pressed: flat blue halves and shades, left column from the shades")
        << 4 << Pressed << 0 << glassGrey
        << QList<Probe>{
               {40, 5, rgb(194, 228, 246)}, {40, 12, rgb(154, 210, 240)}, {0, 12, rgb(29, 65, 92)},
               {40, 1, rgb(113, 156, 179)}, {40, 2, rgb(169, 198, 214)},  {40, 3, rgb(185, 217, 236)},
               {1, 2, rgb(115, 176, 207)},  {1, 5, rgb(150, 205, 235)},   {1, 12, rgb(83, 176, 225)},
               {1, 20, rgb(83, 176, 225)},  {78, 12, rgb(83, 176, 225)},  {1, 1, glassCorner}};
    QTest::newRow("4 disabled: flat in two frames") << 4 << Normal << Disabled << glassGrey
                                                    << QList<Probe>{{40, 12, rgb(235, 235, 235)},
                                                                    {0, 12, rgb(163, 163, 163)},
                                                                    {1, 12, white},
                                                                    {1, 1, rgb(219, 219, 219)}};
    QTest::newRow("4 focused at rest: blue double frame and dots")
        << 4 << Normal << (Focused | FocusRect) << glassGrey
        << QList<Probe>{
               {0, 12, rgb(50, 117, 167)}, {1, 12, rgb(72, 216, 251)}, {2, 2, inverted(rgb(240, 240, 240))}};
    QTest::newRow("4 default at rest: blue frame, no dots")
        << 4 << Normal << (Default | FocusRect) << glassGrey
        << QList<Probe>{{1, 12, rgb(72, 216, 251)}, {2, 2, rgb(240, 240, 240)}};
    QTest::newRow("4 focused under the pointer: hover frames")
        << 4 << Hover << Focused << glassGrey << QList<Probe>{{1, 12, white}};

    // Glossy.
    const quint32 lilac = rgb(213, 214, 225);
    QTest::newRow("6 normal: white gloss over the upper half") << 6 << Normal << 0 << lilac
                                                               << QList<Probe>{{40, 5, rgb(236, 237, 242)},
                                                                               {40, 15, lilac},
                                                                               {1, 10, white},
                                                                               {40, 1, white},
                                                                               {0, 12, rgb(162, 163, 174)},
                                                                               {1, 23, rgb(162, 163, 174)},
                                                                               {40, 23, rgb(149, 150, 161)},
                                                                               {1, 1, rgb(226, 227, 238)},
                                                                               {1, 22, rgb(226, 227, 238)}};
    QTest::newRow("6 pressed: darker")
        << 6 << Pressed << 0 << lilac
        << QList<Probe>{
               {40, 15, rgb(189, 189, 201)}, {0, 12, rgb(154, 155, 166)}, {40, 23, rgb(111, 112, 123)}};
    QTest::newRow("6 focused: dots on the caption frame")
        << 6 << Normal << (Focused | FocusRect) << lilac
        << QList<Probe>{{20, 14, inverted(lilac)}, {21, 14, lilac}, {59, 15, inverted(lilac)}};

    // Warm highlight and warm frame.
    QTest::newRow("7 normal: soft blue parts")
        << 7 << Normal << 0 << sky
        << QList<Probe>{
               {40, 1, rgb(221, 241, 255)}, {40, 9, sky}, {40, 22, rgb(180, 216, 255)}, {0, 12, skyBorder}};
    QTest::newRow("7 hover: light orange")
        << 7 << Hover << 0 << sky
        << QList<Probe>{{40, 1, rgb(255, 253, 219)}, {40, 9, rgb(255, 215, 103)}, {0, 12, skyBorder}};
    QTest::newRow("7 pressed: deep orange")
        << 7 << Pressed << 0 << sky
        << QList<Probe>{{40, 1, rgb(255, 191, 88)}, {40, 9, rgb(255, 143, 70)}, {0, 12, skyBorder}};
    const quint32 pale = rgb(202, 225, 252);
    const quint32 navy = rgb(0, 0, 128);
    QTest::newRow("13 normal: two parts, no frame")
        << 13 << Normal << 0 << pale
        << QList<Probe>{{0, 12, rgb(199, 222, 249)}, {40, 0, rgb(215, 238, 255)}, {0, 0, rgb(215, 238, 255)}};
    QTest::newRow("13 hover: navy frame")
        << 13 << Hover << 0 << pale << QList<Probe>{{0, 12, navy}, {40, 1, rgb(255, 243, 202)}};
    QTest::newRow("13 pressed: orange")
        << 13 << Pressed << 0 << pale << QList<Probe>{{0, 12, navy}, {40, 1, rgb(254, 147, 80)}};
    QTest::newRow("13 checked: warm orange")
        << 13 << Pressed << Checked << pale << QList<Probe>{{0, 12, navy}, {40, 1, rgb(255, 212, 138)}};
    QTest::newRow("13 checked under the pointer: the pressed orange")
        << 13 << Pressed << (Checked | Inside) << pale
        << QList<Probe>{{0, 12, navy}, {40, 1, rgb(254, 147, 80)}};

    // Rounded soft.
    QTest::newRow("10 normal: band, fill line, body") << 10 << Normal << 0 << sky
                                                      << QList<Probe>{{40, 1, rgb(224, 244, 255)},
                                                                      {40, 5, sky},
                                                                      {40, 6, rgb(160, 196, 242)},
                                                                      {0, 12, rgb(89, 125, 171)},
                                                                      {1, 1, rgb(46, 82, 128)}};
    QTest::newRow("10 hover: lighter") << 10 << Hover << 0 << sky
                                       << QList<Probe>{{40, 1, rgb(238, 247, 255)},
                                                       {40, 5, rgb(186, 222, 255)},
                                                       {40, 6, sky},
                                                       {0, 12, rgb(102, 138, 184)}};
    QTest::newRow("10 pressed: darker") << 10 << Pressed << 0 << sky
                                        << QList<Probe>{{40, 5, rgb(165, 201, 247)},
                                                        {40, 6, rgb(153, 189, 235)},
                                                        {0, 12, rgb(81, 117, 163)},
                                                        {1, 1, rgb(46, 82, 128)}};

    // Gradient.
    const quint32 steel = rgb(167, 202, 230);
    const quint32 greyGreen = rgb(126, 128, 125);
    QTest::newRow("15 normal: horizontal gradient")
        << 15 << Normal << 0 << steel
        << QList<Probe>{{1, 12, steel}, {78, 12, rgb(186, 221, 249)}, {0, 12, greyGreen}};
    QTest::newRow("15 pressed: darker start")
        << 15 << Pressed << 0 << steel << QList<Probe>{{1, 12, rgb(154, 189, 217)}, {0, 12, greyGreen}};
    QTest::newRow("15 checked: as pressed")
        << 15 << Normal << Checked << steel << QList<Probe>{{1, 12, rgb(154, 189, 217)}};
    QTest::newRow("15 focused: dotted 3 inside")
        << 15 << Normal << (Focused | FocusRect) << steel << QList<Probe>{{3, 3, inverted(steel)}};
    QTest::newRow("15 focused in design mode: no dots")
        << 15 << Normal << (Focused | FocusRect | Design) << steel << QList<Probe>{{3, 3, steel}};
}

void TestButtonStyles::telltalePixels()
{
    QFETCH(int, style);
    QFETCH(VisualState, state);
    QFETCH(int, flags);
    QFETCH(quint32, backColor);
    QFETCH(QList<Probe>, probes);
    const QImage surface = drawn(inputOf(style, state, flags, backColor));
    for (const Probe &probe : probes) {
        const int expected = TranslateColor(probe.colour);
        QCOMPARE(described(probe.x, probe.y, pixelColor(surface, probe.x, probe.y)),
                 described(probe.x, probe.y, expected));
    }
}

void TestButtonStyles::sameLook_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<VisualState>("state");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("otherStyle");
    QTest::addColumn<VisualState>("otherState");
    QTest::addColumn<int>("otherFlags");

    QTest::newRow("15 at rest and under the pointer") << 15 << Normal << 0 << 15 << Hover << 0;
    QTest::newRow("6 at rest and under the pointer") << 6 << Normal << 0 << 6 << Hover << 0;
    QTest::newRow("6 disabled and at rest") << 6 << Normal << Disabled << 6 << Normal << 0;
    QTest::newRow("6 disabled under the pointer and at rest") << 6 << Hover << Disabled << 6 << Normal << 0;
    QTest::newRow("7 and 16 checked") << 7 << Pressed << Checked << 16 << Pressed << Checked;
    QTest::newRow("7 and 16 checked under the pointer")
        << 7 << Pressed << (Checked | Inside) << 16 << Pressed << (Checked | Inside);
    QTest::newRow("16 pressed and at rest") << 16 << Pressed << Border << 16 << Normal << Border;
    QTest::newRow("14 focused and under the pointer") << 14 << Normal << Focused << 14 << Hover << 0;
    QTest::newRow("5 at rest and under the pointer") << 5 << Normal << 0 << 5 << Hover << 0;
}

void TestButtonStyles::sameLook()
{
    QFETCH(int, style);
    QFETCH(VisualState, state);
    QFETCH(int, flags);
    QFETCH(int, otherStyle);
    QFETCH(VisualState, otherState);
    QFETCH(int, otherFlags);
    const quint32 c = rgb(173, 209, 255);
    QCOMPARE(drawn(inputOf(style, state, flags, c)), drawn(inputOf(otherStyle, otherState, otherFlags, c)));
}

void TestButtonStyles::sideEffects_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<VisualState>("state");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("surfaceColour"); // -1: unchanged
    QTest::addColumn<qint64>("foreColour"); // -1: unchanged
    QTest::addColumn<bool>("resetPointer");
    QTest::addColumn<bool>("clearCaption");
    QTest::addColumn<bool>("shape");

    const int container = int(Container);
    const qint64 buttonText = SystemColor::ButtonText;
    const qint64 white = rgb(255, 255, 255);
    QTest::newRow("3 normal: button text, container surface")
        << 3 << Normal << 0 << container << buttonText << false << false << true;
    QTest::newRow("3 hover: button text")
        << 3 << Hover << 0 << container << buttonText << false << false << false;
    QTest::newRow("3 pressed: white caption")
        << 3 << Pressed << 0 << container << white << false << false << false;
    QTest::newRow("3 checked held down: white caption")
        << 3 << Normal << (Checked | LeftDown) << container << white << false << false << false;
    QTest::newRow("3 checked: button text")
        << 3 << Normal << Checked << container << buttonText << false << false << false;
    QTest::newRow("4 enabled resets the pointer")
        << 4 << Hover << 0 << -1 << qint64(-1) << true << false << false;
    QTest::newRow("4 disabled keeps it")
        << 4 << Normal << Disabled << -1 << qint64(-1) << false << false << true;
    QTest::newRow("5 takes the container colour")
        << 5 << Pressed << 0 << container << qint64(-1) << false << false << false;
    QTest::newRow("7 unchecked resets the pointer")
        << 7 << Normal << 0 << -1 << qint64(-1) << true << false << false;
    QTest::newRow("7 checked keeps it")
        << 7 << Pressed << Checked << -1 << qint64(-1) << false << false << false;
    QTest::newRow("14 rest skin shapes the window")
        << 14 << Normal << 0 << container << qint64(-1) << false << false << true;
    QTest::newRow("14 hover skin") << 14 << Hover << 0 << container << qint64(-1) << false << false << false;
    QTest::newRow("16 unchecked clears its caption")
        << 16 << Hover << 0 << -1 << qint64(-1) << true << true << false;
    QTest::newRow("16 checked keeps its caption")
        << 16 << Pressed << Checked << -1 << qint64(-1) << false << false << false;
    QTest::newRow("2 at rest shapes the window")
        << 2 << Normal << 0 << -1 << qint64(-1) << false << false << true;
    QTest::newRow("2 disabled shapes the window")
        << 2 << Hover << Disabled << -1 << qint64(-1) << false << false << true;
    QTest::newRow("2 hover leaves the shape")
        << 2 << Hover << 0 << -1 << qint64(-1) << false << false << false;
}

void TestButtonStyles::sideEffects()
{
    QFETCH(int, style);
    QFETCH(VisualState, state);
    QFETCH(int, flags);
    QFETCH(int, surfaceColour);
    QFETCH(qint64, foreColour);
    QFETCH(bool, resetPointer);
    QFETCH(bool, clearCaption);
    QFETCH(bool, shape);
    ButtonStyleEffects effects;
    drawn(inputOf(style, state, flags, rgb(200, 200, 200)), &effects);
    QCOMPARE(effects.surfaceColor.value_or(-1), surfaceColour);
    QCOMPARE(effects.foreColor ? qint64(*effects.foreColor) : qint64(-1), foreColour);
    QCOMPARE(effects.resetMousePointer, resetPointer);
    QCOMPARE(effects.clearCaption, clearCaption);
    QCOMPARE(effects.region.has_value(), shape);
    if (shape)
        QCOMPARE(*effects.region, UpdateRegion(style, W, H));
}

void TestButtonStyles::unknownStyleDrawsNothing_data()
{
    QTest::addColumn<int>("style");
    QTest::newRow("17") << 17;
    QTest::newRow("-1") << -1;
    QTest::newRow("99") << 99;
}

void TestButtonStyles::unknownStyleDrawsNothing()
{
    QFETCH(int, style);
    ButtonStyleEffects effects;
    const QImage surface = drawn(inputOf(style, Pressed, Checked | Focused, rgb(200, 200, 200)), &effects);
    QImage cleared = makeButtonSurface(W, H);
    cleared.fill(QColor(1, 2, 3));
    QCOMPARE(surface, cleared);
    QVERIFY(!effects.surfaceColor && !effects.foreColor && !effects.region);
    QVERIFY(!effects.resetMousePointer && !effects.clearCaption);
}

void TestButtonStyles::skinFillsExactlyTheWindowShape_data()
{
    QTest::addColumn<VisualState>("state");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("rest skin 80 x 24") << Normal << 80 << 24;
    QTest::newRow("hover skin 80 x 24") << Hover << 80 << 24;
    QTest::newRow("pressed skin 80 x 24") << Pressed << 80 << 24;
    QTest::newRow("rest skin 120 x 40") << Normal << 120 << 40;
    QTest::newRow("pressed skin 120 x 40") << Pressed << 120 << 40;
}

// The skin's corner pixels follow the rounded window shape: nothing is drawn where the shape cuts,
// and no pixel inside it is left undrawn.
void TestButtonStyles::skinFillsExactlyTheWindowShape()
{
    QFETCH(VisualState, state);
    QFETCH(int, width);
    QFETCH(int, height);
    ButtonStyleInput input = inputOf(14, state, 0, rgb(208, 208, 208));
    QImage surface = makeButtonSurface(width, height);
    drawStyleBackground(surface, input);
    const QRegion shape = UpdateRegion(14, width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool container = pixelColor(surface, x, y) == int(Container);
            if (container == shape.contains(QPoint(x, y)))
                QFAIL(qPrintable(described(x, y, pixelColor(surface, x, y))));
        }
    }
}

void TestButtonStyles::skinTablesKeepTheirGeometry()
{
    for (int index = 0; index < 3; ++index) {
        const ButtonSkin &skin = buttonSkin(index);
        const int topRows = index == 0 ? 13 : 11;    // rows 0 ... 12 or 0 ... 10
        const int bottomRows = index == 0 ? 11 : 13; // rows H - 10 ... H or H - 12 ... H
        for (SkinPatch patch :
             {SkinPatch::TopLeft, SkinPatch::TopRight, SkinPatch::BottomLeft, SkinPatch::BottomRight}) {
            const bool bottom = patch == SkinPatch::BottomLeft || patch == SkinPatch::BottomRight;
            QVERIFY(!skin.patch(patch).empty());
            for (const SkinPixel &pixel : skin.patch(patch)) {
                QVERIFY(pixel.dx >= 0 && pixel.dx <= 17);
                QVERIFY(pixel.dy >= 0 && pixel.dy < (bottom ? bottomRows : topRows));
            }
        }
    }
    const ButtonSkin &rest = buttonSkin(0);
    QCOMPARE(rest.rows[23], int(rgb(236, 236, 236))); // the row at y = H, never seen
    QCOMPARE(rest.rows[22], int(rgb(197, 197, 197)));
    QCOMPARE(rest.columns[34], int(rgb(246, 246, 246)));
}

void TestButtonStyles::tinyButtonsStayInsideTheirSurface_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("the smallest button, 15 x 15") << 15 << 15;
    QTest::newRow("one pixel") << 1 << 1;
    QTest::newRow("a thin bar") << 40 << 2;
}

// Sizes below the styles' own insets turn their rectangles inside out; nothing may be written
// beyond the surface and every style must still finish.
void TestButtonStyles::tinyButtonsStayInsideTheirSurface()
{
    QFETCH(int, width);
    QFETCH(int, height);
    const QList<int> flagSets{0, Disabled, Checked | Inside, Focused | FocusRect,
                              Default | FocusRect | BackStyle};
    for (int style = 0; style <= 16; ++style) {
        for (VisualState state : {Normal, Hover, Pressed}) {
            for (int flags : flagSets) {
                ButtonStyleInput input = inputOf(style, state, flags, rgb(120, 130, 140));
                input.containerBackground = input.containerBackground.copy(0, 0, width, height);
                QImage surface = makeButtonSurface(width, height);
                drawStyleBackground(surface, input);
                QCOMPARE(surface.size(), QSize(width, height));
            }
        }
    }
}

void TestButtonStyles::shapeRefreshedAtRest_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<VisualState>("state");
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("shape");

    // At rest every style but 7, 9 and 16 hands the button its window shape again; under the
    // pointer and held down none does.
    for (int style = 0; style <= 16; ++style) {
        const bool reshapes = style != 7 && style != 9 && style != 16;
        QTest::addRow("%d at rest", style) << style << Normal << 0 << reshapes;
        QTest::addRow("%d under the pointer", style) << style << Hover << 0 << false;
        QTest::addRow("%d held down", style) << style << Pressed << 0 << false;
    }
    QTest::newRow("2 disabled under the pointer") << 2 << Hover << Disabled << true;
    QTest::newRow("4 disabled held down") << 4 << Pressed << Disabled << true;
    QTest::newRow("6 disabled under the pointer: drawn at rest") << 6 << Hover << Disabled << true;
    QTest::newRow("8 disabled at rest") << 8 << Normal << Disabled << false;
    QTest::newRow("0 checked at rest") << 0 << Normal << Checked << false;
    QTest::newRow("13 checked at rest") << 13 << Normal << Checked << false;
    QTest::newRow("14 focused at rest: hover skin") << 14 << Normal << Focused << false;
}

void TestButtonStyles::shapeRefreshedAtRest()
{
    QFETCH(int, style);
    QFETCH(VisualState, state);
    QFETCH(int, flags);
    QFETCH(bool, shape);
    ButtonStyleEffects effects;
    drawn(inputOf(style, state, flags, rgb(200, 200, 200)), &effects);
    QCOMPARE(effects.region.has_value(), shape);
    if (shape)
        QCOMPARE(*effects.region, UpdateRegion(style, W, H));
}

namespace {

void sendSpace(QWidget &widget, QEvent::Type type)
{
    QKeyEvent event(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(&widget, &event);
}

// The lightest and darkest green inside the button, away from its frame and shading lines.
std::pair<int, int> greenRangeInside(const QImage &surface)
{
    int lightest = 0;
    int darkest = 255;
    for (int y = 4; y < surface.height() - 4; ++y) {
        for (int x = 4; x < surface.width() - 4; ++x) {
            const int green = qGreen(surface.pixel(x, y));
            lightest = std::max(lightest, green);
            darkest = std::min(darkest, green);
        }
    }
    return {lightest, darkest};
}

} // namespace

// The pressed face is RGB(229, 228, 221); a white caption on it is lighter still, a caption in
// the colour set before (red) or in the button text colour would be darker.
void TestButtonStyles::roundedPlainCaptionTurnsWhileHeldDown()
{
    QWidget window;
    pexbutton button(&window);
    button.setButtonStyle(3);
    button.resize(W, H);
    button.setCaption(QStringLiteral("HHHH"));
    button.setForeColor(rgb(200, 0, 0));

    sendSpace(button, QEvent::KeyPress);
    QCOMPARE(button.visualState(), Pressed);
    QCOMPARE(button.ForeColor(), rgb(255, 255, 255));
    const auto [lightest, darkest] = greenRangeInside(button.surface());
    QVERIFY2(lightest > 240, qPrintable(QString::number(lightest))); // antialiased white strokes
    QVERIFY2(darkest >= 228, qPrintable(QString::number(darkest)));

    sendSpace(button, QEvent::KeyRelease);
    QCOMPARE(button.visualState(), Normal);
    QCOMPARE(button.ForeColor(), SystemColor::ButtonText);
    QVERIFY(greenRangeInside(button.surface()).second < 160);
}

void TestButtonStyles::pointerAndCaptionReset_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("pointer");
    QTest::addColumn<QString>("caption");

    const QString go = QStringLiteral("Go");
    QTest::newRow("4 enabled: default pointer") << 4 << 0 << 0 << go;
    QTest::newRow("4 disabled: pointer kept") << 4 << Disabled << 2 << go;
    QTest::newRow("7 unchecked: default pointer") << 7 << 0 << 0 << go;
    QTest::newRow("7 checked: pointer kept") << 7 << Checked << 2 << go;
    QTest::newRow("16 unchecked: default pointer, no caption") << 16 << 0 << 0 << QString();
    QTest::newRow("16 checked: both kept") << 16 << Checked << 2 << go;
    QTest::newRow("15: both kept") << 15 << 0 << 2 << go;
}

void TestButtonStyles::pointerAndCaptionReset()
{
    QFETCH(int, style);
    QFETCH(int, flags);
    QFETCH(int, pointer);
    QFETCH(QString, caption);
    QWidget window;
    pexbutton button(&window);
    button.setButtonStyle(style);
    button.resize(W, H);
    if (flags & Checked) {
        button.setCheckBoxMode(true);
        button.setValue(true);
    }
    button.setEnabled(!(flags & Disabled));
    button.setCaption(QStringLiteral("Go"));
    button.setMousePointer(2); // stored only; the next drawing decides
    button.Redraw();
    QCOMPARE(int(button.MousePointer()), pointer);
    QCOMPARE(button.Caption(), caption);
}

// Each pixel of the container's pattern tells where it came from: RGB(x, y, 77).
void TestButtonStyles::transparentFaceShowsTheContainer()
{
    QWidget container;
    container.resize(200, 100);
    QImage pattern(200, 100, QImage::Format_RGB32);
    for (int y = 0; y < pattern.height(); ++y)
        for (int x = 0; x < pattern.width(); ++x)
            pattern.setPixel(x, y, qRgb(x, y, 77));
    QPalette palette = container.palette();
    palette.setBrush(QPalette::Window, QBrush(pattern));
    container.setPalette(palette);
    container.setAutoFillBackground(true);

    pexbutton button(&container);
    button.setButtonStyle(16);
    button.setGeometry(13, 7, W, H);
    button.setBackStyle(true);
    for (const QPoint &at : {QPoint(0, 0), QPoint(40, 12), QPoint(W - 1, H - 1)})
        QCOMPARE(pixelColor(button.surface(), at.x(), at.y()), int(rgb(at.x() + 13, at.y() + 7, 77)));
    QVERIFY(button.Caption().isEmpty());

    button.setBorderStyle(true);
    QCOMPARE(pixelColor(button.surface(), 0, 12), int(rgb(86, 122, 168))); // BackColor darkened by 0.34
    QCOMPARE(pixelColor(button.surface(), 40, 12), int(rgb(53, 19, 77)));
}

void TestButtonStyles::containerColourRoundTheFace_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QPoint>("at");
    QTest::newRow("5 beside the shadow") << 5 << QPoint(W - 1, 0);
    QTest::newRow("5 below the shadow") << 5 << QPoint(0, H - 1);
    QTest::newRow("14 top-left corner") << 14 << QPoint(0, 0);
    QTest::newRow("14 bottom-right corner") << 14 << QPoint(W - 1, H - 1);
}

void TestButtonStyles::containerColourRoundTheFace()
{
    QFETCH(int, style);
    QFETCH(QPoint, at);
    QWidget container;
    QPalette palette = container.palette();
    palette.setColor(QPalette::Window, QColor(40, 50, 60));
    container.setPalette(palette);
    pexbutton button(&container);
    button.setButtonStyle(style);
    button.resize(W, H);
    button.Redraw();
    QCOMPARE(pixelColor(button.surface(), at.x(), at.y()), int(Container));
}

QTEST_MAIN(TestButtonStyles)
#include "tst_buttonstyles.moc"
