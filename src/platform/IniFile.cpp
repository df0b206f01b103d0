#include "platform/IniFile.h"

#include "platform/Files.h"

#include <QFile>

#include <cctype>
#include <climits>

namespace {

bool sameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower((unsigned char)a[i]) != std::tolower((unsigned char)b[i])) return false;
    return true;
}

std::string trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r'))
        --e;
    return s.substr(b, e - b);
}

bool parseInteger(const std::string& text, int& out) {
    std::string s = trim(text);
    if (s.empty()) return false;
    size_t i = 0;
    bool negative = false;
    if (s[i] == '+' || s[i] == '-') negative = s[i++] == '-';
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size()) return false;
    unsigned long long v = 0;
    for (; i < s.size(); ++i) {
        int d;
        char c = s[i];
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        v = v * base + d;
        if (v > 0xFFFFFFFFull) return false;
    }
    if (base == 16) {
        // Hexadecimal covers the full 32 bits, as colours are written.
        out = int(negative ? uint32_t(0u - uint32_t(v)) : uint32_t(v));
        return true;
    }
    if (negative ? v > 2147483648ull : v > 2147483647ull) return false;
    out = negative ? int(-(long long)v) : int(v);
    return true;
}

} // namespace

TMemIniFile::TMemIniFile(const std::string& fileName) : fileName_(fileName) {
    LoadFromFile(fileName);
}

bool TMemIniFile::LoadFromFile(const std::string& fileName) {
    fileName_ = fileName;
    loaded_ = false;
    QFile f(QString::fromStdString(fileName));
    if (!f.open(QIODevice::ReadOnly)) return false;
    QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError) return false;
    SetText(data.toStdString());
    loaded_ = true;
    return true;
}

bool TMemIniFile::UpdateFile() const {
    return SaveToFile(fileName_);
}

bool TMemIniFile::SaveToFile(const std::string& fileName) const {
    if (fileName.empty()) return false;
    const std::string text = GetText();
    return WriteFileBytes(fileName, text.data(), text.size());
}

void TMemIniFile::SetText(const std::string& text) {
    preamble_.clear();
    sections_.clear();
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t nl = text.find('\n', pos);
        if (nl == std::string::npos && pos == text.size()) break;
        std::string raw = text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
        pos = nl == std::string::npos ? text.size() + 1 : nl + 1;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        std::string t = trim(raw);
        if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
            sections_.push_back({trim(t.substr(1, t.size() - 2)), {}});
            continue;
        }
        Line line;
        auto eq = t.find('=');
        if (!t.empty() && t[0] != ';' && eq != std::string::npos && eq > 0) {
            line.key = trim(t.substr(0, eq));
            line.value = trim(t.substr(eq + 1));
            line.isEntry = true;
        } else {
            line.value = raw;
        }
        if (sections_.empty())
            preamble_.push_back(raw);
        else
            sections_.back().lines.push_back(std::move(line));
    }
}

std::string TMemIniFile::GetText() const {
    std::string out;
    for (const auto& p : preamble_)
        out += p + "\n";
    for (const auto& s : sections_) {
        out += "[" + s.name + "]\n";
        for (const auto& l : s.lines)
            out += l.isEntry ? l.key + "=" + l.value + "\n" : l.value + "\n";
    }
    return out;
}

const TMemIniFile::Section* TMemIniFile::findSection(const std::string& name) const {
    for (const auto& s : sections_)
        if (sameText(s.name, name)) return &s;
    return nullptr;
}

TMemIniFile::Section* TMemIniFile::findSection(const std::string& name) {
    for (auto& s : sections_)
        if (sameText(s.name, name)) return &s;
    return nullptr;
}

const TMemIniFile::Line* TMemIniFile::findEntry(const std::string& section, const std::string& key) const {
    const Section* s = findSection(section);
    if (!s) return nullptr;
    for (const auto& l : s->lines)
        if (l.isEntry && sameText(l.key, key)) return &l;
    return nullptr;
}

std::string TMemIniFile::ReadString(const std::string& section, const std::string& key,
                                    const std::string& def) const {
    const Line* l = findEntry(section, key);
    return l ? l->value : def;
}

int TMemIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
    const Line* l = findEntry(section, key);
    int v;
    return l && parseInteger(l->value, v) ? v : def;
}

bool TMemIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

long double TMemIniFile::ReadFloat(const std::string& section, const std::string& key,
                                   long double def) const {
    const Line* l = findEntry(section, key);
    if (!l) return def;
    // A file written under a ',' locale (by this program before it wrote '.' everywhere, or
    // by hand) reads the same under any locale; a number holds one separator at most, so
    // trying each cannot misread one.
    long double v;
    for (char separator : {'.', ',', FormatSettings().DecimalSeparator})
        if (TextToLongDouble(l->value, v, separator)) return v;
    return def;
}

void TMemIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    Section* s = findSection(section);
    if (!s) {
        sections_.push_back({section, {}});
        s = &sections_.back();
    }
    for (auto& l : s->lines)
        if (l.isEntry && sameText(l.key, key)) {
            l.value = value;
            return;
        }
    // New keys go after the last entry, ahead of trailing blank lines that separate sections.
    auto at = s->lines.end();
    while (at != s->lines.begin() && !(at - 1)->isEntry && trim((at - 1)->value).empty())
        --at;
    s->lines.insert(at, Line{key, value, true});
}

void TMemIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, std::to_string(value));
}

void TMemIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TMemIniFile::WriteFloat(const std::string& section, const std::string& key, long double value) {
    WriteString(section, key, LongDoubleToText((long double)(double)value, 15, '.'));
}

bool TMemIniFile::SectionExists(const std::string& section) const {
    return findSection(section) != nullptr;
}

bool TMemIniFile::ValueExists(const std::string& section, const std::string& key) const {
    return findEntry(section, key) != nullptr;
}

std::vector<std::string> TMemIniFile::ReadSections() const {
    std::vector<std::string> out;
    for (const auto& s : sections_)
        out.push_back(s.name);
    return out;
}

std::vector<std::string> TMemIniFile::ReadSection(const std::string& section) const {
    std::vector<std::string> out;
    if (const Section* s = findSection(section))
        for (const auto& l : s->lines)
            if (l.isEntry) out.push_back(l.key);
    return out;
}

void TMemIniFile::EraseSection(const std::string& section) {
    for (auto it = sections_.begin(); it != sections_.end(); ++it)
        if (sameText(it->name, section)) {
            sections_.erase(it);
            return;
        }
}

void TMemIniFile::DeleteKey(const std::string& section, const std::string& key) {
    Section* s = findSection(section);
    if (!s) return;
    for (auto it = s->lines.begin(); it != s->lines.end(); ++it)
        if (it->isEntry && sameText(it->key, key)) {
            s->lines.erase(it);
            return;
        }
}
