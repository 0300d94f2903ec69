#include "ctl/JsonWriter.h"

#include <cstdio>

void CJsonWriter::BeforeValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_hasItems.empty())
        return;
    if (m_hasItems.back())
        m_text += ',';
    m_hasItems.back() = true;
    m_text += '\n';
    m_text.append(2 * m_hasItems.size(), ' ');
}

void CJsonWriter::Open(char bracket)
{
    BeforeValue();
    m_text += bracket;
    m_hasItems.push_back(false);
}

void CJsonWriter::Close(char bracket)
{
    const bool hadItems = m_hasItems.back();
    m_hasItems.pop_back();
    if (hadItems) {
        m_text += '\n';
        m_text.append(2 * m_hasItems.size(), ' ');
    }
    m_text += bracket;
}

void CJsonWriter::BeginObject() { Open('{'); }
void CJsonWriter::EndObject() { Close('}'); }
void CJsonWriter::BeginArray() { Open('['); }
void CJsonWriter::EndArray() { Close(']'); }

void CJsonWriter::Key(std::string_view key)
{
    String(key);
    m_text += ": ";
    m_afterKey = true;
}

void CJsonWriter::String(std::string_view text)
{
    BeforeValue();
    m_text += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            m_text += '\\';
            m_text += c;
        } else if (byte < 0x20 || byte > 0x7E) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            m_text += escape;
        } else {
            m_text += c;
        }
    }
    m_text += '"';
}

void CJsonWriter::Number(int64_t value)
{
    BeforeValue();
    m_text += std::to_string(value);
}

void CJsonWriter::Bool(bool value)
{
    BeforeValue();
    m_text += value ? "true" : "false";
}
