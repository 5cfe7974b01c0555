#include "web/decodedtext.h"
#include "web/encodingindexes.h"
#include "web/legacydecoders.h"

#include <optional>
#include <utility>

namespace {

enum class State
{
    Ascii,
    Roman,
    Katakana,
    LeadByte,
    TrailByte,
    EscapeStart,
    Escape
};

constexpr int EndOfInput = -1;
constexpr int Esc = 0x1B;

// The state an escape sequence (ESC, lead, byte) switches to; nullopt when it names none.
std::optional<State> escapeTarget(unsigned char lead, int byte)
{
    if (lead == 0x28 && byte == 0x42)
        return State::Ascii;
    if (lead == 0x28 && byte == 0x4A)
        return State::Roman;
    if (lead == 0x28 && byte == 0x49)
        return State::Katakana;
    if (lead == 0x24 && (byte == 0x40 || byte == 0x42))
        return State::LeadByte;
    return std::nullopt;
}

// A character of the ASCII, Roman or katakana set; nullopt when the byte has none there.
std::optional<char16_t> singleByteCode(State state, int byte)
{
    if (state == State::Katakana) {
        if (byte >= 0x21 && byte <= 0x5F)
            return char16_t(0xFF61 - 0x21 + byte);
        return std::nullopt;
    }
    if (byte < 0 || byte > 0x7F || byte == 0x0E || byte == 0x0F)
        return std::nullopt;
    if (state == State::Roman && byte == 0x5C)
        return u'\u00A5';
    if (state == State::Roman && byte == 0x7E)
        return u'\u203E';
    return char16_t(byte);
}

// The decoder's state machine; "read again" steps move the position back over bytes just read.
class Iso2022JpDecoder
{
public:
    explicit Iso2022JpDecoder(QByteArrayView bytes)
        : m_in(reinterpret_cast<const unsigned char *>(bytes.data())), m_size(bytes.size()),
          m_text(bytes.size())
    {
    }

    QString run() &&
    {
        while (step(m_pos < m_size ? m_in[m_pos++] : EndOfInput)) {
        }
        return std::move(m_text).take();
    }

private:
    // Handles one byte; false when the input has ended.
    bool step(int byte)
    {
        switch (m_state) {
        case State::Ascii:
        case State::Roman:
        case State::Katakana:
        case State::LeadByte:
            if (byte == Esc) {
                m_state = State::EscapeStart;
                return true;
            }
            if (byte == EndOfInput)
                return false;
            m_output = false;
            if (m_state == State::LeadByte)
                return leadByte(byte);
            if (const std::optional<char16_t> code = singleByteCode(m_state, byte))
                m_text.put(*code);
            else
                m_text.putError();
            return true;
        case State::TrailByte:
            return trailByte(byte);
        case State::EscapeStart:
            if (byte == 0x24 || byte == 0x28) {
                m_lead = static_cast<unsigned char>(byte);
                m_state = State::Escape;
                return true;
            }
            if (byte != EndOfInput)
                --m_pos; // read again
            return escapeFailed();
        case State::Escape:
            return escape(byte);
        }
        return false;
    }

    bool leadByte(int byte)
    {
        if (byte >= 0x21 && byte <= 0x7E) {
            m_lead = static_cast<unsigned char>(byte);
            m_state = State::TrailByte;
        } else {
            m_text.putError();
        }
        return true;
    }

    bool trailByte(int byte)
    {
        m_state = byte == Esc ? State::EscapeStart : State::LeadByte;
        const char16_t code =
            byte >= 0x21 && byte <= 0x7E ? indexCode(jis0208Index, (m_lead - 0x21) * 94 + byte - 0x21) : 0;
        if (code)
            m_text.put(code);
        else
            m_text.putError(); // at the end of the input too: the end is read again in the lead state
        return true;
    }

    bool escape(int byte)
    {
        const unsigned char lead = m_lead;
        m_lead = 0;
        if (const std::optional<State> target = escapeTarget(lead, byte)) {
            m_state = *target;
            m_outputState = *target;
            // Two escape sequences with nothing between them are an error.
            if (std::exchange(m_output, true))
                m_text.putError();
            return true;
        }
        m_pos -= byte == EndOfInput ? 1 : 2; // the lead (and the byte) read again
        return escapeFailed();
    }

    bool escapeFailed()
    {
        m_output = false;
        m_state = m_outputState;
        m_text.putError();
        return true;
    }

    const unsigned char *m_in;
    qsizetype m_size;
    qsizetype m_pos = 0;
    DecodedText m_text;
    State m_state = State::Ascii;
    State m_outputState = State::Ascii;
    unsigned char m_lead = 0;
    bool m_output = false;
};

} // namespace

QString decodeIso2022Jp(QByteArrayView bytes)
{
    return Iso2022JpDecoder(bytes).run();
}
