#pragma once
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

// Translation file format ("*.lng", UTF-8 text, our own):
//
//   ; a comment line
//   LANGID=1033              the language identifier, before any section
//   [frmMain]                one section per window, named after the window
//   acExit.text=Exit         object name "." property = text
//
// The text is everything after the first "=", trailing blanks included;
// "\n" stands for a line break and "\\" for a backslash. Properties are Qt
// properties of the object (text, toolTip, title, windowTitle, ...) plus
// tabText (the tab of a tab page), itemN (entry N of a combo box) and
// columnN (header caption N of an item view).
//
// A file counts when LANGID is a number other than 0 and other than the
// built-in language's identifier, and the file reads as UTF-8.
using TLngSections = QHash<QString, QHash<QString, QString>>;
bool ReadLngFile(const QString &fileName, int *langId, TLngSections *sections);

// The language's own name for a Windows language identifier, the
// identifier in decimal when unknown.
QString LanguageName(int langId);

// The program's list of interface languages: position 0 the built-in one,
// then one per usable translation file; and the current language, whose
// changes every TLanguageController follows.
class TLanguageManager : public QObject
{
    Q_OBJECT
public:
    void SetDefaultLanguageID(int id);
    int DefaultLanguageID() const { return m_default; }
    // Replaces the list with the built-in language and the files matching
    // mask directly in folder (not in its subfolders), by file name order.
    void ScanForLangFiles(const QString &folder, const QString &mask);
    int LanguageCount() const { return m_languages.size() + 1; }
    QString LanguageNames(int index) const;
    int LanguageIDs(int index) const;

    int LanguageID() const { return m_current; }
    // Makes a language of the list current (the built-in one for an unknown
    // identifier) and re-translates every controller.
    void SetLanguageID(int id);
    // Texts of one window in the current language; empty for the built-in one.
    QHash<QString, QString> Section(const QString &name) const { return m_texts.value(name); }

signals:
    void languageChanged();

private:
    struct Language
    {
        int id;
        QString fileName;
    };
    QList<Language> m_languages;
    int m_default = 1066;
    int m_current = 1066;
    TLngSections m_texts;
};

TLanguageManager &LangManager();
