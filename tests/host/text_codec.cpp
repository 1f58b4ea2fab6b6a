#include "text_codec.h"

std::wstring decodeText(const std::string &bytes, UINT codePage)
{
    if (bytes.empty())
        return std::wstring();
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), (int)bytes.size(), &out[0], n);
    return out;
}

std::string encodeText(const std::wstring &text, UINT codePage)
{
    if (text.empty())
        return std::string();
    int n = WideCharToMultiByte(codePage, 0, text.data(), (int)text.size(), nullptr, 0,
                                nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(codePage, 0, text.data(), (int)text.size(), &out[0], n, nullptr,
                        nullptr);
    return out;
}

std::wstring lfToCrlf(const std::wstring &text)
{
    std::wstring out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r'))
            out += L'\r';
        out += text[i];
    }
    return out;
}

std::wstring crlfToLf(const std::wstring &text)
{
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
            continue;
        out += text[i];
    }
    return out;
}

bool looksLikeUtf8(const std::string &bytes)
{
    bool high = false;
    for (unsigned char c : bytes)
        high = high || c > 0x7F;
    if (!high)
        return false;
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), (int)bytes.size(),
                               nullptr, 0) > 0;
}

std::string escapeLine(const std::string &utf8)
{
    std::string out;
    for (char c : utf8) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default: out += c;
        }
    }
    return out;
}

std::string unescapeLine(const std::string &text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char c = text[++i];
        out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
    }
    return out;
}

std::wstring windowsPath(const std::wstring &path)
{
    if (path.empty() || path[0] != L'/')
        return path;
    std::wstring out = L"Z:" + path;
    for (wchar_t &c : out)
        if (c == L'/')
            c = L'\\';
    return out;
}

static size_t lastSeparator(const std::wstring &path)
{
    return path.find_last_of(L"\\/");
}

std::wstring folderOf(const std::wstring &path)
{
    size_t p = lastSeparator(path);
    return p == std::wstring::npos ? std::wstring() : path.substr(0, p);
}

std::wstring fileNameOf(const std::wstring &path)
{
    size_t p = lastSeparator(path);
    return p == std::wstring::npos ? path : path.substr(p + 1);
}

std::wstring namePartOf(const std::wstring &fileName)
{
    size_t p = fileName.rfind(L'.');
    return p == std::wstring::npos || p == 0 ? fileName : fileName.substr(0, p);
}
