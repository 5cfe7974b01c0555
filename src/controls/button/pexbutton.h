#pragma once

#include "controls/button/buttonpicture.h"
#include "controls/button/pixelrect.h"
#include "controls/button/propertybag.h"
#include "controls/button/visualstate.h"

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>

class MessageBox;
class QShortcut;
struct ButtonStyleEffects;
struct ButtonStyleInput;
struct ButtonContentInput;

// The owner-drawn push button every window uses: seventeen looks, an optional picture, a one-line
// caption, hover tracking, an optional two-state mode, a rounded window shape for the rounded
// styles, and its properties kept in a PropertyBag.
class pexbutton final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(pexbutton)

public:
    // A new button placed on a window; instanceName is the container's name for it (the caption).
    explicit pexbutton(QWidget *parent = nullptr, const QString &instanceName = QStringLiteral("pexbutton1"));
    // A stored button, loaded from its properties.
    explicit pexbutton(const PropertyBag &properties, QWidget *parent = nullptr);
    ~pexbutton() override;

    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;
    PropertyBag properties() const;

    void About(MessageBox &messages) const;
    void Redraw();

    int ButtonStyle() const { return m_buttonStyle; }
    void setButtonStyle(int style);
    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 colour);
    quint32 ForeColor() const { return m_foreColor; }
    void setForeColor(quint32 colour);
    bool BackStyle() const { return m_backStyle != 0; }
    void setBackStyle(bool transparent);
    bool BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(bool border);
    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    int CaptionAlign() const { return m_captionAlign; }
    void setCaptionAlign(int align);
    bool CheckBoxMode() const { return m_checkBoxMode; }
    void setCheckBoxMode(bool on);
    // Enabled is the button's own: a disabled container keeps input from the button (the widget is
    // disabled with it) but leaves Enabled and the drawing as they are.
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    void setEnabled(bool enabled);
    // Font is the widget's font (setFont); a change redraws.
    QFont Font() const { return font(); }
    bool HandPointer() const { return m_handPointer; }
    void setHandPointer(bool on);
    WId hWnd() const { return effectiveWinId(); }
    quint32 MaskColor() const { return m_maskColor; }
    void setMaskColor(quint32 colour);
    ButtonPicture MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const ButtonPicture &icon);
    qint16 MousePointer() const { return m_mousePointer; }
    void setMousePointer(qint16 kind);
    ButtonPicture Picture() const { return m_picture; }
    void setPicture(const ButtonPicture &picture);
    int PictureAlign() const { return m_pictureAlign; }
    void setPictureAlign(int align);
    int PictureSize() const { return m_pictureSize; }
    void setPictureSize(int size);
    ButtonPicture PictureHover() const { return m_pictureHover; }
    void setPictureHover(const ButtonPicture &picture);
    bool ShowFocusRect() const { return m_showFocusRect; }
    void setShowFocusRect(bool on);
    bool UseMaskColor() const { return m_useMaskColor; }
    void setUseMaskColor(bool on);
    bool Value() const { return m_value; }
    void setValue(bool value);

    // The container's side: whether it runs (focus rectangles and hover need it), whether it shows
    // this button as its default, and the Enter / Esc keys of its default and cancel buttons.
    bool runMode() const { return m_runMode; }
    void setRunMode(bool running);
    void setDisplayAsDefault(bool shown);
    void setDefault(bool isDefault);
    void setCancel(bool isCancel);

    // The container reports the access key, or Enter / Esc of a default / cancel button.
    void AccessKeyPress(int keyAscii);

    // Size in the container's unit, twips; never below 220 each way.
    QSize twipsSize() const;
    void setTwipsSize(int width, int height);
    void setTwipsGeometry(int left, int top, int width, int height);

    // The state the drawing reads.
    VisualState visualState() const { return m_visualState; }
    bool mouseInside() const { return m_mouseInside; }
    bool leftButtonDown() const { return m_leftButtonDown; }
    bool spaceHeld() const { return m_spaceHeld; }
    bool hasFocusFlag() const { return m_hasFocus; }
    bool parentActive() const { return m_parentActive; }
    bool isDefault() const { return m_isDefault; }
    QChar accessKey() const { return m_accessKey; }
    PixelRect captionFrame() const { return m_captionFrame; }
    // The surface of the last Redraw, exactly the button's size.
    const QImage &surface() const { return m_surface; }

Q_SIGNALS:
    void Click();
    void DblClick();
    void MouseEnter();
    void MouseLeave();
    void MouseMove(qint16 Button, qint16 Shift, float X, float Y);
    void MouseUp(qint16 Button, qint16 Shift, float X, float Y);
    void MouseDown(qint16 Button, qint16 Shift, float X, float Y);
    void KeyDown(qint16 KeyCode, qint16 Shift);
    void KeyUp(qint16 KeyCode, qint16 Shift);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    struct Press
    {
        qint16 button = 0;
        qint16 shift = 0;
        float x = 0;
        float y = 0;
    };

    void setUpCommon();
    void InitProperties(const QString &instanceName);
    void ApplyStyleDefaults();
    void SetAccessKey();
    void UpdateRegion();
    void handleResize();
    void renderSurface();
    ButtonStyleInput styleInput() const;
    ButtonContentInput contentInput() const;
    void applyStyleEffects(const ButtonStyleEffects &effects);
    void applyRegion(const QRegion &region);
    void applyForeColor();
    void applyPointer();
    void showHandCursor();
    void observeWindow();
    void stopObservingWindow();
    QFont containerFont() const;
    quint32 containerBackColor() const;
    QImage containerBackground() const;
    bool isOnButton(const QPoint &point) const;
    bool checked() const { return m_checkBoxMode && m_value; }

    template <typename Step>
    bool survives(Step &&step);

    // Each returns false when a handler of the event it raised destroyed the button.
    bool pointerEntered();
    bool pointerLeft();
    bool leftPress(const Press &press);
    void windowActivated();
    void windowDeactivated();
    void spaceDown(bool autoRepeat, qint16 shift);
    void spaceUp(qint16 shift);

    // Properties.
    int m_buttonStyle = 7;
    quint32 m_backColor;
    quint32 m_foreColor;
    qint32 m_backStyle = 0; // stored as a 32-bit number, any non-zero value is on
    bool m_borderStyle = false;
    QString m_caption;
    int m_captionAlign = 1;
    bool m_checkBoxMode = false;
    bool m_handPointer = false;
    quint32 m_maskColor;
    ButtonPicture m_mouseIcon;
    qint16 m_mousePointer = 0;
    ButtonPicture m_picture;
    ButtonPicture m_pictureHover;
    int m_pictureAlign = 1;
    int m_pictureSize = 0;
    bool m_showFocusRect = false;
    bool m_useMaskColor = false;
    bool m_value = false;

    // State.
    VisualState m_visualState = VisualState::StateNormal;
    bool m_mouseInside = false;
    bool m_leftButtonDown = false;
    bool m_spaceHeld = false;
    bool m_spacePressSeen = false; // a Space press reached the button; only its release is ours
    bool m_hasFocus = false;
    bool m_parentActive = false;
    bool m_isDefault = false;
    bool m_runMode = true;
    bool m_handShown = false; // the hand pointer is the one set on the button
    Press m_lastPress;
    QChar m_accessKey;
    QShortcut *m_accessShortcut = nullptr;
    QShortcut *m_defaultShortcut = nullptr;
    QShortcut *m_cancelShortcut = nullptr;
    QPointer<QWidget> m_observedWindow;
    QSize m_twipsSize;

    // Drawing.
    int m_surfaceColor; // what the surface is cleared with (resolved)
    QImage m_surface;
    QSize m_pictureBox;
    PixelRect m_captionFrame;
    QRegion m_region;
    bool m_rendering = false;
};
