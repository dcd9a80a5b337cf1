#pragma once
#include <QHash>
#include <QObject>

class QWidget;

// Translates one window: applies the entries of its section of the current
// translation file, and follows every change of the current language.
// Create it when the window's children exist; it translates at once, so a
// window opened later starts in the current language. The designed texts are
// remembered, so going back to the built-in language restores them.
class TLanguageController : public QObject
{
    Q_OBJECT
public:
    // The section defaults to the window's object name.
    explicit TLanguageController(QWidget *window, const QString &section = QString());

    void Translate();

    // "object.property" patterns that are never translated.
    static const QStringList &IgnoredProperties();
    static bool IsIgnored(const QString &key);

private:
    QObject *findObject(const QString &name) const;
    bool read(QObject *o, const QString &property, QString &value) const;
    bool write(QObject *o, const QString &property, const QString &value) const;

    QWidget *m_window;
    QString m_section;
    // Designed text of every "object.property" ever translated.
    QHash<QString, QString> m_designed;
};
