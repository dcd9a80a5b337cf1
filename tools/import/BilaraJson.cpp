#include "BilaraJson.h"

namespace {
struct Reader
{
    const QByteArray &b;
    int i = 0;
    QString error;

    int line() const { return int(std::count(b.begin(), b.begin() + std::min<qsizetype>(i, b.size()), '\n')) + 1; }
    void space()
    {
        while (i < b.size() && (b[i] == ' ' || b[i] == '\n' || b[i] == '\r' || b[i] == '\t'))
            ++i;
    }
    bool expect(char c)
    {
        space();
        if (i < b.size() && b[i] == c) {
            ++i;
            return true;
        }
        error = QStringLiteral("expected '%1'").arg(QChar(c));
        return false;
    }
    bool hex4(uint &v)
    {
        if (i + 4 > b.size())
            return false;
        bool ok = false;
        v = QByteArray(b.constData() + i, 4).toUInt(&ok, 16);
        i += 4;
        return ok;
    }
    bool string(QString &out)
    {
        if (!expect('"'))
            return false;
        QByteArray raw;
        QString s;
        auto flush = [&] {
            s += QString::fromUtf8(raw);
            raw.clear();
        };
        while (i < b.size()) {
            const char c = b[i++];
            if (c == '"') {
                flush();
                out = s;
                return true;
            }
            if (uchar(c) < 0x20) {
                --i; // report the line the string breaks on
                error = "control character in string";
                return false;
            }
            if (c != '\\') {
                raw += c;
                continue;
            }
            if (i >= b.size())
                break;
            const char e = b[i++];
            switch (e) {
            case '"': raw += '"'; break;
            case '\\': raw += '\\'; break;
            case '/': raw += '/'; break;
            case 'b': raw += '\b'; break;
            case 'f': raw += '\f'; break;
            case 'n': raw += '\n'; break;
            case 'r': raw += '\r'; break;
            case 't': raw += '\t'; break;
            case 'u': {
                uint u = 0;
                if (!hex4(u)) {
                    error = "bad \\u escape";
                    return false;
                }
                flush();
                if (QChar::isHighSurrogate(u) && i + 6 <= b.size() && b[i] == '\\' && b[i + 1] == 'u') {
                    i += 2;
                    uint low = 0;
                    if (!hex4(low) || !QChar::isLowSurrogate(low)) {
                        error = "bad surrogate pair";
                        return false;
                    }
                    s += QChar(char16_t(u));
                    s += QChar(char16_t(low));
                } else {
                    s += QChar(char16_t(u));
                }
                break;
            }
            default: error = "bad escape"; return false;
            }
        }
        error = "unterminated string";
        return false;
    }
};
} // namespace

bool ParseBilara(const QByteArray &bytes, Segments &out, QString *error, int *errorLine)
{
    out.clear();
    Reader r{bytes};
    auto fail = [&] {
        if (error)
            *error = r.error;
        if (errorLine)
            *errorLine = r.line();
        return false;
    };
    if (bytes.startsWith("\xEF\xBB\xBF"))
        r.i = 3;
    if (!r.expect('{'))
        return fail();
    r.space();
    if (r.i < bytes.size() && bytes[r.i] == '}') {
        ++r.i;
    } else {
        for (;;) {
            QString key, value;
            if (!r.string(key) || !r.expect(':'))
                return fail();
            r.space();
            if (!r.string(value)) {
                r.error = QStringLiteral("value of \"%1\" is not a string").arg(key);
                return fail();
            }
            out.append({key, value});
            r.space();
            if (r.i < bytes.size() && bytes[r.i] == ',') {
                ++r.i;
                continue;
            }
            if (!r.expect('}'))
                return fail();
            break;
        }
    }
    r.space();
    if (r.i != bytes.size()) {
        r.error = "text after the object";
        return fail();
    }
    return true;
}
