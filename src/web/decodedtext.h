#pragma once

#include <QString>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

// The text a decoder writes, in a buffer sized once for the whole input: none of the decoders
// writes more UTF-16 units than it reads bytes (a character of two units takes at least two
// bytes, an error at least one), so no write needs to grow it.
class DecodedText
{
public:
    explicit DecodedText(qsizetype inputSize)
        : m_text(inputSize, Qt::Uninitialized), m_begin(reinterpret_cast<char16_t *>(m_text.data())),
          m_out(m_begin), m_end(m_begin + inputSize)
    {
    }

    void put(char16_t unit)
    {
        Q_ASSERT(m_out < m_end);
        *m_out++ = unit;
    }
    void putCodePoint(char32_t codePoint)
    {
        if (codePoint < 0x10000) {
            put(char16_t(codePoint));
            return;
        }
        put(QChar::highSurrogate(codePoint));
        put(QChar::lowSurrogate(codePoint));
    }
    void putError() { put(QChar::ReplacementCharacter); }

    // Copies the ASCII bytes from `from` on, sixteen at a time while it can (markup is most of a
    // page); returns where the run ends: at `size`, or at the first byte of 0x80 and above.
    qsizetype copyAscii(const unsigned char *bytes, qsizetype from, qsizetype size)
    {
        qsizetype i = from;
#ifdef __SSE2__
        const __m128i zero = _mm_setzero_si128();
        for (; i + 16 <= size; i += 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + i));
            if (_mm_movemask_epi8(chunk) != 0)
                break;
            Q_ASSERT(m_out + 16 <= m_end);
            _mm_storeu_si128(reinterpret_cast<__m128i *>(m_out), _mm_unpacklo_epi8(chunk, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(m_out + 8), _mm_unpackhi_epi8(chunk, zero));
            m_out += 16;
        }
#endif
        while (i < size && bytes[i] < 0x80)
            put(bytes[i++]);
        return i;
    }

    QString take() &&
    {
        m_text.truncate(m_out - m_begin);
        return std::move(m_text);
    }

private:
    QString m_text;
    char16_t *m_begin;
    char16_t *m_out;
    char16_t *m_end;
};
