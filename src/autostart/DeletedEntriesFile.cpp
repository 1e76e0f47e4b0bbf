#include "autostart/DeletedEntriesFile.h"

#include "toolkit/Errors.h"

#include <cstdio>

namespace trelvix {

namespace {

constexpr std::uint32_t RegSz = 1;
constexpr std::uint32_t RegBinary = 3;
constexpr std::uint32_t RegDword = 4;
// Lines of hexadecimal bytes are cut before this column, as Registry Editor cuts them.
constexpr std::size_t LineWidth = 77;

std::u16string Ascii(const std::string& text) {
    return {text.begin(), text.end()};
}

// UTF-8 to UTF-16; a byte that starts no valid sequence becomes U+FFFD.
std::u16string Utf16(const std::string& text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80         ? 1
                           : (lead >> 5) == 6  ? 2
                           : (lead >> 4) == 14 ? 3
                           : (lead >> 3) == 30 ? 4
                                               : 0;
        std::uint32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3Fu);
        }
        if (!valid || code > 0x10FFFF) {
            out += u'\xFFFD';
            ++i;
            continue;
        }
        i += static_cast<std::size_t>(length);
        if (code >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
    }
    return out;
}

// Inside double quotes a .reg file escapes the backslash and the quote.
std::u16string Quoted(const std::u16string& text) {
    std::u16string quoted = u"\"";
    for (char16_t c : text) {
        if (c == u'\\' || c == u'"')
            quoted += u'\\';
        quoted += c;
    }
    return quoted + u'"';
}

bool HasLineBreak(const std::u16string& text) {
    return text.find_first_of(u"\r\n") != std::u16string::npos;
}

// The text of REG_SZ data that the quoted form gives back exactly: whole UTF-16 units ending
// in the one terminator, no other NUL, no line break.
std::optional<std::u16string> PlainString(const port::RegValue& value) {
    const auto& bytes = value.bytes;
    if (value.rawType != RegSz || bytes.size() < 2 || bytes.size() % 2 != 0)
        return std::nullopt;
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    if (text.back() != u'\0')
        return std::nullopt;
    text.pop_back();
    if (text.find(u'\0') != std::u16string::npos || HasLineBreak(text))
        return std::nullopt;
    return text;
}

// hex:01,02,... (REG_BINARY) or hex(type):..., continued on indented lines.
std::u16string HexData(const port::RegValue& value, std::size_t column) {
    char prefix[24];
    if (value.rawType == RegBinary)
        std::snprintf(prefix, sizeof prefix, "hex:");
    else
        std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.rawType));
    std::u16string data = Ascii(prefix);
    column += data.size();
    static constexpr char16_t Digits[] = u"0123456789abcdef";
    for (std::size_t i = 0; i < value.bytes.size(); ++i) {
        if (i > 0) {
            data += u',';
            ++column;
            if (column + 3 > LineWidth) {
                data += u"\\\r\n  ";
                column = 2;
            }
        }
        data += Digits[value.bytes[i] >> 4];
        data += Digits[value.bytes[i] & 0x0F];
        column += 2;
    }
    return data;
}

std::u16string ValueLine(const RegFileValue& v) {
    const std::u16string name = Utf16(v.name);
    if (HasLineBreak(name))
        throw tk::Exception("The value \"" + v.name +
                            "\" has a line break in its name, which a registry file cannot hold");
    std::u16string line = (v.name.empty() ? u"@" : Quoted(name)) + u"=";
    if (const auto text = PlainString(v.value)) {
        line += Quoted(*text);
    } else if (v.value.rawType == RegDword && v.value.bytes.size() == 4) {
        char number[16];
        std::snprintf(number, sizeof number, "dword:%08x",
                      static_cast<unsigned>(v.value.bytes[0] | v.value.bytes[1] << 8 |
                                            v.value.bytes[2] << 16 |
                                            static_cast<unsigned>(v.value.bytes[3]) << 24));
        line += Ascii(number);
    } else {
        line += HexData(v.value, line.size());
    }
    return line + u"\r\n";
}

} // namespace

std::string RegFileKeyName(port::RegRoot root, port::RegView view, const std::string& path) {
    std::string name =
        root == port::RegRoot::LocalMachine ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\";
    const std::string software = "SOFTWARE\\";
    const bool redirected = root == port::RegRoot::LocalMachine && view == port::RegView::Bits32 &&
                            path.size() > software.size() &&
                            path.compare(0, software.size(), software) == 0;
    if (redirected)
        return name + software + "WOW6432Node\\" + path.substr(software.size());
    return name + path;
}

std::u16string RegFileHeader() {
    return u"\xFEFFWindows Registry Editor Version 5.00\r\n";
}

std::u16string RegFileSections(const std::vector<RegFileValue>& values,
                               const std::string& comment) {
    std::u16string text = u"\r\n; " + Utf16(comment) + u"\r\n";
    for (const RegFileValue& v : values)
        text += u"[" + Utf16(v.key) + u"]\r\n" + ValueLine(v) + u"\r\n";
    return text;
}

std::vector<std::uint8_t> Utf16Bytes(const std::u16string& text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

std::string DeletionComment(port::Ports& ports) {
    const port::LocalTime now = ports.system.Now();
    return "Deleted from the AutoStart page of Trelvix on " + ports.system.FormatShortDate(now) +
           " " + ports.system.FormatLongTime(now);
}

void SaveDeletedValues(port::Ports& ports, const std::vector<RegFileValue>& values) {
    const std::vector<std::uint8_t> bytes =
        Utf16Bytes(RegFileSections(values, DeletionComment(ports)));
    const std::string local = ports.files.KnownFolderPath(port::KnownFolder::LocalAppData);
    if (local.empty())
        throw tk::Exception("The entry was not deleted: the system names no folder for the "
                            "local data of programs, where deleted entries are kept");
    const std::string folder = local + "\\" + DeletedEntriesFolder;
    const std::string path = folder + "\\" + DeletedEntriesFileName;
    (void)ports.files.MakeDirectory(folder); // already there after the first time
    const std::string refused =
        "The entry was not deleted: the file that keeps deleted entries, \"" + path +
        "\", cannot be written. ";
    std::string reason;
    const auto file = ports.files.OpenToAppend(path, reason);
    if (!file)
        throw tk::Exception(refused + reason);
    // On the disk before the value goes; a write that fails part way is taken back, so the
    // file holds whole sections only.
    const std::int64_t former = file->Length();
    if (former < 0)
        throw tk::Exception(refused + "Its length cannot be read.");
    const bool written = (former != 0 || file->Append(Utf16Bytes(RegFileHeader()), reason)) &&
                         file->Append(bytes, reason) && file->Flush(reason);
    if (written)
        return;
    if (!file->Truncate(former))
        throw tk::Exception(refused + reason +
                            " The file may be damaged: what was written of "
                            "this entry could not be taken back.");
    throw tk::Exception(refused + reason);
}

} // namespace trelvix
