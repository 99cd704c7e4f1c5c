#include "dialog_template.h"

#include <cstring>

namespace {

// Reads little-endian words in order; every read past the end fails the whole parse.
class Reader {
public:
    explicit Reader(std::span<std::uint8_t const> bytes)
        : m_bytes(bytes)
    {
    }
    bool ok() const { return m_ok; }

    std::uint16_t word()
    {
        std::uint16_t value = 0;
        take(&value, 2);
        return value;
    }
    std::uint32_t dword()
    {
        std::uint32_t value = 0;
        take(&value, 4);
        return value;
    }
    std::int16_t coordinate() { return static_cast<std::int16_t>(word()); }
    void skip(std::size_t count)
    {
        if (m_position + count > m_bytes.size())
            m_ok = false;
        else
            m_position += count;
    }
    void alignToDword() { skip((4 - m_position % 4) % 4); }

    // A null-terminated UTF-16 text, narrowed (the templates hold ASCII).
    std::string text()
    {
        std::string result;
        for (std::uint16_t c = word(); m_ok && c != 0; c = word())
            result.push_back(static_cast<char>(c));
        return result;
    }
    // A name or a number: 0x0000 none, 0xFFFF then a number, else a text.
    std::string nameOrNumber()
    {
        std::uint16_t const first = word();
        if (first == 0)
            return {};
        if (first == 0xFFFF)
            return "#" + std::to_string(word());
        std::string result(1, static_cast<char>(first));
        return result + text();
    }

private:
    void take(void* out, std::size_t count)
    {
        if (m_position + count > m_bytes.size()) {
            m_ok = false;
            return;
        }
        std::memcpy(out, m_bytes.data() + m_position, count);
        m_position += count;
    }

    std::span<std::uint8_t const> m_bytes;
    std::size_t m_position = 0;
    bool m_ok = true;
};

constexpr std::uint32_t kSetFont = 0x40L; // DS_SETFONT
constexpr std::uint32_t kShellFont = 0x48L; // DS_SHELLFONT

} // namespace

DialogItem const* DialogTemplate::itemWithText(std::string const& wanted) const
{
    for (DialogItem const& item : items) {
        if (item.text == wanted)
            return &item;
    }
    return nullptr;
}

DialogItem const* DialogTemplate::itemWithId(int wanted) const
{
    for (DialogItem const& item : items) {
        if (item.id == wanted)
            return &item;
    }
    return nullptr;
}

std::optional<DialogTemplate> parseDialogTemplate(std::span<std::uint8_t const> bytes)
{
    Reader in(bytes);
    if (in.word() != 1 || in.word() != 0xFFFF)
        return std::nullopt;
    DialogTemplate dialog;
    in.dword(); // help id
    in.dword(); // extended style
    dialog.style = in.dword();
    int const itemCount = in.word();
    dialog.x = in.coordinate();
    dialog.y = in.coordinate();
    dialog.width = in.coordinate();
    dialog.height = in.coordinate();
    in.nameOrNumber(); // menu
    in.nameOrNumber(); // window class
    dialog.caption = in.text();
    if ((dialog.style & kSetFont) != 0 || (dialog.style & kShellFont) == kShellFont) {
        dialog.pointSize = in.word();
        in.word(); // weight
        in.skip(2); // italic, character set
        dialog.typeface = in.text();
    }
    for (int i = 0; i < itemCount && in.ok(); ++i) {
        in.alignToDword();
        DialogItem item;
        in.dword(); // help id
        in.dword(); // extended style
        item.style = in.dword();
        item.x = in.coordinate();
        item.y = in.coordinate();
        item.width = in.coordinate();
        item.height = in.coordinate();
        item.id = static_cast<int>(in.dword());
        item.className = in.nameOrNumber();
        item.text = in.nameOrNumber();
        in.skip(in.word()); // creation data
        dialog.items.push_back(item);
    }
    if (!in.ok())
        return std::nullopt;
    return dialog;
}
