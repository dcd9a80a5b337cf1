#include "look/LanguageManager.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace {

QString unescape(const QString &s)
{
    QString out;
    out.reserve(s.size());
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const QChar next = s[i + 1];
            if (next == 'n') {
                out += '\n';
                ++i;
                continue;
            }
            if (next == '\\') {
                out += '\\';
                ++i;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

} // namespace

bool ReadLngFile(const QString &fileName, int *langId, TLngSections *sections)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(file.readAll());
    if (utf8.hasError())
        return false;

    bool haveId = false;
    int id = 0;
    QString section;
    for (QString line : text.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const QString t = line.trimmed();
        if (t.isEmpty() || t.startsWith(';'))
            continue;
        if (t.startsWith('[') && t.endsWith(']')) {
            section = t.mid(1, t.size() - 2).trimmed();
            continue;
        }
        const int eq = line.indexOf('=');
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1);
        if (section.isEmpty()) {
            if (key.compare("LANGID", Qt::CaseInsensitive) == 0)
                id = value.trimmed().toInt(&haveId);
        } else if (sections) {
            (*sections)[section].insert(key, unescape(value));
        }
    }
    if (langId)
        *langId = haveId ? id : 0;
    return haveId;
}

QString LanguageName(int langId)
{
    switch (langId) {
    case 1066: return QString::fromUtf8("Tiếng Việt");
    case 1033: return QStringLiteral("English");
    case 2057: return QStringLiteral("English (United Kingdom)");
    case 1036: return QString::fromUtf8("Français");
    case 1031: return QStringLiteral("Deutsch");
    case 1034: case 3082: return QString::fromUtf8("Español");
    case 1049: return QString::fromUtf8("Русский");
    case 2052: return QString::fromUtf8("中文(简体)");
    case 1028: return QString::fromUtf8("中文(繁體)");
    case 1041: return QString::fromUtf8("日本語");
    case 1042: return QString::fromUtf8("한국어");
    case 1054: return QString::fromUtf8("ไทย");
    case 1109: return QString::fromUtf8("ភាសាខ្មែរ");
    case 1115: return QString::fromUtf8("සිංහල");
    case 1081: return QString::fromUtf8("हिन्दी");
    default: return QString::number(langId);
    }
}

void TLanguageManager::SetDefaultLanguageID(int id)
{
    if (m_current == m_default)
        m_current = id;
    m_default = id;
}

void TLanguageManager::ScanForLangFiles(const QString &folder, const QString &mask)
{
    m_languages.clear();
    const QDir dir(folder);
    const QStringList files = dir.entryList({mask}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString &name : files) {
        int id = 0;
        const QString path = dir.filePath(name);
        if (ReadLngFile(path, &id, nullptr) && id != 0 && id != m_default)
            m_languages.append({id, path});
    }
}

QString TLanguageManager::LanguageNames(int index) const
{
    return LanguageName(LanguageIDs(index));
}

int TLanguageManager::LanguageIDs(int index) const
{
    if (index <= 0 || index > m_languages.size())
        return m_default;
    return m_languages[index - 1].id;
}

void TLanguageManager::SetLanguageID(int id)
{
    m_texts.clear();
    m_current = m_default;
    for (const Language &l : m_languages) {
        if (l.id == id) {
            int read = 0;
            // A file that went bad since the scan leaves the built-in texts.
            if (ReadLngFile(l.fileName, &read, &m_texts))
                m_current = id;
            else
                m_texts.clear();
            break;
        }
    }
    emit languageChanged();
}

TLanguageManager &LangManager()
{
    static TLanguageManager manager;
    return manager;
}
