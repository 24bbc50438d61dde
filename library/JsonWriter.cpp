#include "library/JsonWriter.h"

#include <QLocale>

#include <cmath>

namespace {

char hexDigit(uint u)
{
    return char(u < 10 ? '0' + u : 'a' + u - 10);
}

void appendIndent(QByteArray &out, int depth)
{
    out.append(4 * depth, ' ');
}

} // namespace

void JsonWriter::element()
{
    if (m_spill && m_out.size() >= m_chunkBytes) {
        m_spill(m_out);
        // The buffer's room is kept (reserved), only its text goes.
        m_out.resize(0);
    }
    if (m_afterName) {
        m_afterName = false;
        return;
    }
    if (m_filled.isEmpty())
        return;
    if (m_filled.last())
        m_out += ",\n";
    m_filled.last() = true;
    appendIndent(m_out, m_filled.size());
}

void JsonWriter::open(char bracket)
{
    element();
    m_out += bracket;
    m_out += '\n';
    m_filled.append(false);
}

void JsonWriter::close(char bracket)
{
    const bool filled = m_filled.takeLast();
    if (filled)
        m_out += '\n';
    appendIndent(m_out, m_filled.size());
    m_out += bracket;
    if (m_filled.isEmpty())
        m_out += '\n';
}

void JsonWriter::beginObject()
{
    open('{');
}

void JsonWriter::endObject()
{
    close('}');
}

void JsonWriter::beginArray()
{
    open('[');
}

void JsonWriter::endArray()
{
    close(']');
}

void JsonWriter::name(QLatin1String key)
{
    name(QString(key));
}

void JsonWriter::name(const QString &key)
{
    element();
    m_out += '"';
    appendEscaped(key);
    m_out += "\": ";
    m_afterName = true;
}

void JsonWriter::value(const QString &text)
{
    element();
    m_out += '"';
    appendEscaped(text);
    m_out += '"';
}

void JsonWriter::value(bool flag)
{
    element();
    m_out += flag ? "true" : "false";
}

void JsonWriter::value(qint64 number)
{
    // QJsonValue keeps every number as a double.
    value(double(number));
}

void JsonWriter::value(double number)
{
    element();
    if (!std::isfinite(number)) {
        m_out += "null";
        return;
    }
    // As Qt writes them: exact whole numbers up to 2^53 (-0 as 0), larger
    // whole ones in their shortest digits padded with zeros, the rest in the
    // shortest form that reads back the same.
    const double magnitude = std::fabs(number);
    if (std::trunc(number) == number && magnitude <= 9007199254740992.0)
        m_out += QByteArray::number(qint64(number));
    else if (std::trunc(number) == number && magnitude < 18446744073709551616.0)
        m_out += QByteArray::number(number, 'f', QLocale::FloatingPointShortest);
    else
        m_out += QByteArray::number(number, 'g', QLocale::FloatingPointShortest);
}

QByteArray JsonWriter::take()
{
    return std::move(m_out);
}

void JsonWriter::spillTo(Spill spill, int chunkBytes)
{
    m_spill = std::move(spill);
    m_chunkBytes = chunkBytes;
    m_out.reserve(chunkBytes + chunkBytes / 8);
}

void JsonWriter::appendEscaped(const QString &text)
{
    const ushort *src = text.utf16();
    const ushort *const end = src + text.size();
    while (src != end) {
        const uint u = *src++;
        if (u < 0x80) {
            if (u >= 0x20 && u != '"' && u != '\\') {
                m_out += char(u);
                continue;
            }
            m_out += '\\';
            switch (u) {
            case '"':
                m_out += '"';
                break;
            case '\\':
                m_out += '\\';
                break;
            case '\b':
                m_out += 'b';
                break;
            case '\f':
                m_out += 'f';
                break;
            case '\n':
                m_out += 'n';
                break;
            case '\r':
                m_out += 'r';
                break;
            case '\t':
                m_out += 't';
                break;
            default:
                m_out += "u00";
                m_out += hexDigit(u >> 4);
                m_out += hexDigit(u & 0xf);
            }
        } else if (u < 0x800) {
            m_out += char(0xc0 | (u >> 6));
            m_out += char(0x80 | (u & 0x3f));
        } else if (u < 0xd800 || u > 0xdfff) {
            m_out += char(0xe0 | (u >> 12));
            m_out += char(0x80 | ((u >> 6) & 0x3f));
            m_out += char(0x80 | (u & 0x3f));
        } else if (u < 0xdc00 && src != end && *src >= 0xdc00 && *src <= 0xdfff) {
            const uint c = 0x10000 + ((u - 0xd800) << 10) + (*src++ - 0xdc00);
            m_out += char(0xf0 | (c >> 18));
            m_out += char(0x80 | ((c >> 12) & 0x3f));
            m_out += char(0x80 | ((c >> 6) & 0x3f));
            m_out += char(0x80 | (c & 0x3f));
        } else {
            // A lone surrogate has no UTF-8 form: an escape, as Qt writes it.
            m_out += "\\u";
            m_out += hexDigit(u >> 12);
            m_out += hexDigit((u >> 8) & 0xf);
            m_out += hexDigit((u >> 4) & 0xf);
            m_out += hexDigit(u & 0xf);
        }
    }
}
