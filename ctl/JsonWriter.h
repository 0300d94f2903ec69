// Builds indented JSON text: objects, arrays, texts, whole numbers and booleans.
// The driver's texts are 8-bit ANSI; characters above 127 are written as \u00XX of
// their byte value, so the output is plain ASCII and valid UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CJsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(std::string_view key);   // inside an object, before each value

    void String(std::string_view text);
    void Number(int64_t value);
    void Bool(bool value);

    // Key and value in one call.
    void Field(std::string_view key, std::string_view text) { Key(key); String(text); }
    void Field(std::string_view key, const char* text) { Key(key); String(text); }
    void Field(std::string_view key, int64_t value) { Key(key); Number(value); }
    void Field(std::string_view key, uint32_t value) { Key(key); Number(value); }
    void Field(std::string_view key, bool value) { Key(key); Bool(value); }

    // The text so far; complete once every container is closed. Ends with a line break.
    std::string Text() const { return m_text + "\n"; }

private:
    void BeforeValue();
    void Open(char bracket);
    void Close(char bracket);

    std::string m_text;
    std::vector<bool> m_hasItems;   // one per open container
    bool m_afterKey = false;
};
