#include "look/LanguageController.h"
#include "look/LanguageManager.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QMetaProperty>
#include <QRegularExpression>
#include <QTabWidget>
#include <QWidget>

TLanguageController::TLanguageController(QWidget *window, const QString &section)
    : QObject(window), m_window(window), m_section(section.isEmpty() ? window->objectName() : section)
{
    setObjectName("LanguageController");
    connect(&LangManager(), &TLanguageManager::languageChanged, this, &TLanguageController::Translate);
    Translate();
}

const QStringList &TLanguageController::IgnoredProperties()
{
    static const QStringList patterns = {"*.CaptionOptions", "*.DatabaseName", "*.DataField", "*.FieldName",
                                         "*.KeyField",       "*.ParentField",  "*.PropertiesClassName",
                                         "*.RefreshQuery",   "*.RefreshSQL",   "*.SelectQuery",
                                         "*.SelectSQL",      "*.SkinName",     "*.SQL"};
    return patterns;
}

bool TLanguageController::IsIgnored(const QString &key)
{
    static const QList<QRegularExpression> expressions = [] {
        QList<QRegularExpression> list;
        for (const QString &p : IgnoredProperties())
            list.append(QRegularExpression(QRegularExpression::wildcardToRegularExpression(p),
                                           QRegularExpression::CaseInsensitiveOption));
        return list;
    }();
    for (const QRegularExpression &re : expressions)
        if (re.match(key).hasMatch())
            return true;
    return false;
}

QObject *TLanguageController::findObject(const QString &name) const
{
    if (name == m_window->objectName())
        return m_window;
    return m_window->findChild<QObject *>(name);
}

static QTabWidget *tabWidgetOf(QWidget *page)
{
    for (QWidget *p = page ? page->parentWidget() : nullptr; p; p = p->parentWidget())
        if (auto *tabs = qobject_cast<QTabWidget *>(p))
            return tabs->indexOf(page) >= 0 ? tabs : nullptr;
    return nullptr;
}

// Index N of a pseudo-property "prefixN"; -1 when the name is not of that form.
static int indexedProperty(const QString &property, QLatin1String prefix)
{
    if (!property.startsWith(prefix))
        return -1;
    bool ok = false;
    const int n = property.mid(prefix.size()).toInt(&ok);
    return ok && n >= 0 ? n : -1;
}

bool TLanguageController::read(QObject *o, const QString &property, QString &value) const
{
    auto *w = qobject_cast<QWidget *>(o);
    if (property == QLatin1String("tabText")) {
        QTabWidget *tabs = tabWidgetOf(w);
        if (!tabs)
            return false;
        value = tabs->tabText(tabs->indexOf(w));
        return true;
    }
    if (auto *combo = qobject_cast<QComboBox *>(o)) {
        const int n = indexedProperty(property, QLatin1String("item"));
        if (n >= 0) {
            if (n >= combo->count())
                return false;
            value = combo->itemText(n);
            return true;
        }
    }
    if (auto *view = qobject_cast<QAbstractItemView *>(o)) {
        const int n = indexedProperty(property, QLatin1String("column"));
        if (n >= 0) {
            if (!view->model() || n >= view->model()->columnCount())
                return false;
            value = view->model()->headerData(n, Qt::Horizontal).toString();
            return true;
        }
    }
    const QByteArray name = property.toLatin1();
    const int index = o->metaObject()->indexOfProperty(name.constData());
    if (index < 0 || o->metaObject()->property(index).metaType().id() != QMetaType::QString)
        return false;
    value = o->property(name.constData()).toString();
    return true;
}

bool TLanguageController::write(QObject *o, const QString &property, const QString &value) const
{
    auto *w = qobject_cast<QWidget *>(o);
    if (property == QLatin1String("tabText")) {
        QTabWidget *tabs = tabWidgetOf(w);
        if (tabs)
            tabs->setTabText(tabs->indexOf(w), value);
        return tabs;
    }
    if (auto *combo = qobject_cast<QComboBox *>(o)) {
        const int n = indexedProperty(property, QLatin1String("item"));
        if (n >= 0 && n < combo->count()) {
            combo->setItemText(n, value);
            return true;
        }
    }
    if (auto *view = qobject_cast<QAbstractItemView *>(o)) {
        const int n = indexedProperty(property, QLatin1String("column"));
        if (n >= 0 && view->model())
            return view->model()->setHeaderData(n, Qt::Horizontal, value);
    }
    return o->setProperty(property.toLatin1().constData(), value);
}

void TLanguageController::Translate()
{
    // Commands go first in every step: a button showing a command copies the
    // command's texts whenever they change, so its own entries must follow.
    auto isAction = [](QObject *o) { return qobject_cast<QAction *>(o) != nullptr; };
    struct Entry
    {
        QObject *object;
        QString property, text;
    };
    auto ordered = [&](const QHash<QString, QString> &entries) {
        QList<Entry> actions, others;
        for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
            const int dot = it.key().indexOf('.');
            QObject *o = dot > 0 ? findObject(it.key().left(dot)) : nullptr;
            if (o)
                (isAction(o) ? actions : others).append({o, it.key().mid(dot + 1), it.value()});
        }
        return actions + others;
    };

    // Back to the designed texts, so entries the new language lacks do not
    // keep the previous language's text.
    for (const Entry &e : ordered(m_designed))
        write(e.object, e.property, e.text);

    QHash<QString, QString> texts = LangManager().Section(m_section);
    for (auto it = texts.begin(); it != texts.end();) {
        const int dot = it.key().indexOf('.');
        QObject *o = dot > 0 ? findObject(it.key().left(dot)) : nullptr;
        QString designed;
        if (IsIgnored(it.key()) || !o || !read(o, it.key().mid(dot + 1), designed)) {
            it = texts.erase(it);
            continue;
        }
        // Remembered before anything of this language is written.
        if (!m_designed.contains(it.key()))
            m_designed.insert(it.key(), designed);
        ++it;
    }
    for (const Entry &e : ordered(texts))
        write(e.object, e.property, e.text);
}
