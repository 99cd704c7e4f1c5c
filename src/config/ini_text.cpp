#include "config/ini_text.h"

#include "config/ascii_text.h"

namespace {

constexpr bool isProfileBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a';
}

std::string_view cutAtNul(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

std::size_t skipBlanks(std::string_view text, std::size_t from, std::size_t to)
{
    while (from < to && isProfileBlank(text[from]))
        ++from;
    return from;
}

std::size_t skipBlanksBackwards(std::string_view text, std::size_t from, std::size_t to)
{
    while (to > from && isProfileBlank(text[to - 1]))
        --to;
    return to;
}

bool isComment(IniLine const& line)
{
    return !line.name.empty() && (line.name.front() == ';' || line.name.front() == '#');
}

void classifyEntry(std::string_view text, IniLine& line, std::size_t start)
{
    line.kind = IniLine::Kind::Entry;
    std::string_view const content = text.substr(start, line.contentEnd - start);
    std::size_t const equals = content.find('=');
    if (equals == std::string_view::npos) {
        line.name = cutAtNul(content);
        line.valueBegin = line.contentEnd;
        return;
    }
    line.name = cutAtNul(trimProfileBlanks(content.substr(0, equals)));
    line.hasValue = true;
    line.valueBegin = skipBlanks(text, start + equals + 1, line.contentEnd);
    line.value = cutAtNul(text.substr(line.valueBegin, line.contentEnd - line.valueBegin));
}

std::string_view lineEndingOf(std::string_view text)
{
    std::size_t const end = text.find_first_of("\r\n");
    if (end == std::string_view::npos || text.compare(end, 2, "\r\n") == 0)
        return "\r\n";
    return text[end] == '\n' ? "\n" : "\r";
}

bool endsLine(std::string_view text, std::size_t offset)
{
    return offset == 0 || text[offset - 1] == '\n' || text[offset - 1] == '\r';
}

}

std::string_view trimProfileBlanks(std::string_view text)
{
    std::size_t const begin = skipBlanks(text, 0, text.size());
    return text.substr(begin, skipBlanksBackwards(text, begin, text.size()) - begin);
}

IniLine readIniLine(std::string_view text, std::size_t begin)
{
    IniLine line;
    std::size_t end = begin;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n')
        ++end;
    line.next = end;
    if (line.next < text.size())
        line.next += text.compare(line.next, 2, "\r\n") == 0 ? 2 : 1;

    std::size_t const start = skipBlanks(text, begin, end);
    line.contentEnd = skipBlanksBackwards(text, start, end);
    line.valueBegin = line.contentEnd;
    if (start == line.contentEnd)
        return line;

    std::string_view const content = text.substr(start, line.contentEnd - start);
    std::size_t const close = content.rfind(']');
    if (content.front() == '[' && close != std::string_view::npos) {
        line.kind = IniLine::Kind::Section;
        line.name = trimProfileBlanks(cutAtNul(content.substr(1, close - 1)));
        return line;
    }
    classifyEntry(text, line, start);
    return line;
}

IniLocation locateIniEntry(std::string_view text, std::string_view section, std::string_view key)
{
    section = trimProfileBlanks(section);
    key = trimProfileBlanks(key);
    IniLocation location;
    // The unnamed section before the first header always comes first.
    bool inSection = section.empty();
    location.sectionFound = inSection;
    for (std::size_t offset = 0; offset < text.size();) {
        IniLine const line = readIniLine(text, offset);
        offset = line.next;
        if (line.kind == IniLine::Kind::Section) {
            if (inSection)
                return location;
            inSection = equalsIgnoringAsciiCase(line.name, section);
            if (inSection) {
                location.sectionFound = true;
                location.insertAt = line.next;
            }
        } else if (inSection && line.kind == IniLine::Kind::Entry) {
            if (equalsIgnoringAsciiCase(line.name, key)) {
                location.entry = line;
                return location;
            }
            if (!isComment(line))
                location.insertAt = line.next;
        }
    }
    return location;
}

std::string profileResult(std::string_view value, std::size_t bufferSize)
{
    value = cutAtNul(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value.substr(0, bufferSize == 0 ? 0 : bufferSize - 1));
}

std::string iniTextWithEntry(std::string_view text, std::string_view section, std::string_view key, std::string_view value)
{
    IniLocation const location = locateIniEntry(text, section, key);
    std::string result;
    if (location.entry) {
        IniLine const& line = *location.entry;
        result.append(text.substr(0, line.valueBegin));
        if (!line.hasValue)
            result.push_back('=');
        result.append(value);
        result.append(text.substr(line.contentEnd));
        return result;
    }
    std::string_view const eol = lineEndingOf(text);
    std::size_t const insertAt = location.sectionFound ? location.insertAt : text.size();
    result.append(text.substr(0, insertAt));
    if (!endsLine(text, insertAt))
        result.append(eol);
    if (!location.sectionFound) {
        if (!text.empty())
            result.append(eol);
        result.append("[").append(trimProfileBlanks(section)).append("]").append(eol);
    }
    result.append(trimProfileBlanks(key)).append("=").append(value).append(eol);
    result.append(text.substr(insertAt));
    return result;
}
