#include "settings/Registry.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

namespace Registry {

static QStringList &failingWrites()
{
    static QStringList names;
    return names;
}

void SetFailingWritesForTest(const QStringList &valueNames) { failingWrites() = valueNames; }

static QString configHome()
{
    QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (home.isEmpty())
        home = QDir::homePath() + "/.config";
    return home;
}

static QString normalised(const QString &key)
{
    QStringList parts = key.split('\\', Qt::SkipEmptyParts);
    return parts.join('/');
}

QString KeyPath(RootKey root, const QString &key)
{
    const QString path = normalised(key);
    if (root == RootKey::LocalMachine && path.compare(normalised(kRunKey), Qt::CaseInsensitive) == 0)
        return configHome() + "/autostart";
    QStringList parts = path.split('/', Qt::SkipEmptyParts);
    if (!parts.isEmpty() && parts.first().compare("Software", Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    const QString base = root == RootKey::CurrentUser ? configHome() : configHome() + "/LocalMachine";
    return base + '/' + parts.join('/') + ".json";
}

// Autostart entries: value "Tevaka" is the file "tevaka.desktop"; its data is the Exec line.
static QString desktopFile(const QString &folder, const QString &name)
{
    return folder + '/' + name.toLower() + ".desktop";
}

static bool readDesktopExec(const QString &file, QString &exec)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    exec.clear();
    bool inEntry = false;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (line.startsWith('['))
            inEntry = line == "[Desktop Entry]";
        else if (inEntry && line.startsWith("Exec="))
            exec = line.mid(5);
    }
    return true;
}

static bool writeDesktopExec(const QString &file, const QString &name, const QString &exec)
{
    if (exec.isEmpty()) // not registered: the entry goes away
        return !QFile::exists(file) || QFile::remove(file);
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    const QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(name, exec);
    f.write(text.toUtf8());
    return f.commit();
}

bool Key::load(bool *corrupt)
{
    *corrupt = false;
    m_values.clear();
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &err);
    if (err.error != QJsonParseError::NoError || !doc.isObject()) {
        *corrupt = true;
        return false;
    }
    const QJsonObject obj = doc.object();
    for (auto it = obj.begin(); it != obj.end(); ++it) {
        const QJsonObject entry = it.value().toObject();
        const QString type = entry.value("type").toString();
        const QJsonValue data = entry.value("data");
        Value v;
        if (type == "string" && data.isString()) {
            v.type = Value::String;
            v.text = data.toString();
        } else if (type == "expandstring" && data.isString()) {
            v.type = Value::ExpandString;
            v.text = data.toString();
        } else if (type == "integer" && data.isDouble()) {
            const double d = data.toDouble();
            if (d != qint64(d) || d < -2147483648.0 || d > 4294967295.0)
                continue; // not a 32-bit number: unreadable, as a value of an unknown type
            v.type = Value::Integer;
            v.number = qint32(quint32(qint64(d)));
        } else {
            continue; // a type this program does not read
        }
        m_values.insert(it.key(), v);
    }
    return true;
}

bool Key::open(RootKey root, const QString &key, bool create)
{
    m_root = root;
    m_path = KeyPath(root, key);
    m_autostart = m_path.endsWith("/autostart");
    m_open = false;
    m_values.clear();
    if (m_autostart) {
        m_open = QFileInfo(m_path).isDir() || (create && QDir().mkpath(m_path));
        return m_open;
    }
    bool corrupt = false;
    if (load(&corrupt)) {
        m_open = true;
        return true;
    }
    if (!create)
        return false;
    if (corrupt) {
        // Keep the damaged file for inspection rather than overwrite it.
        const QString aside = m_path + ".damaged-" + QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss");
        if (!QFile::rename(m_path, aside))
            return false;
    }
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return false;
    if (!QFileInfo::exists(m_path)) {
        QSaveFile f(m_path);
        if (!f.open(QIODevice::WriteOnly) || f.write("{}\n") < 0 || !f.commit())
            return false;
    }
    m_open = true;
    return true;
}

Value Key::value(const QString &name) const
{
    if (!m_open)
        return {};
    if (m_autostart) {
        Value v;
        QString exec;
        if (readDesktopExec(desktopFile(m_path, name), exec)) {
            v.type = Value::String;
            v.text = exec;
        }
        return v;
    }
    return m_values.value(name);
}

bool Key::readInteger(const QString &name, qint32 &out) const
{
    const Value v = value(name);
    if (v.type != Value::Integer)
        return false;
    out = v.number;
    return true;
}

bool Key::readString(const QString &name, QString &out) const
{
    const Value v = value(name);
    if (v.type == Value::None) {
        out.clear();
        return true;
    }
    if (v.type != Value::String && v.type != Value::ExpandString)
        return false;
    out = v.text;
    return true;
}

bool Key::store(const QString &name, const Value &v)
{
    if (!m_open || failingWrites().removeOne(name))
        return false;
    if (m_autostart)
        return writeDesktopExec(desktopFile(m_path, name), name, v.text);
    QMap<QString, Value> values = m_values;
    values.insert(name, v);
    QJsonObject obj;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        QJsonObject entry;
        switch (it->type) {
        case Value::String: entry["type"] = "string"; entry["data"] = it->text; break;
        case Value::ExpandString: entry["type"] = "expandstring"; entry["data"] = it->text; break;
        case Value::Integer: entry["type"] = "integer"; entry["data"] = qint64(it->number); break;
        case Value::None: continue;
        }
        obj.insert(it.key(), entry);
    }
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(QJsonDocument(obj).toJson());
    if (!f.commit())
        return false;
    m_values = values;
    return true;
}

bool Key::writeInteger(const QString &name, qint32 number)
{
    Value v;
    v.type = Value::Integer;
    v.number = number;
    return store(name, v);
}

bool Key::writeString(const QString &name, const QString &text, bool expandable)
{
    Value v;
    v.type = expandable ? Value::ExpandString : Value::String;
    v.text = text;
    return store(name, v);
}

QVariant GetRegistryData(RootKey root, const QString &key, const QString &value, QString *error)
{
    Key k;
    if (!k.open(root, key, false)) {
        if (error)
            *error = QStringLiteral("The system cannot find the file specified.");
        return {};
    }
    const Value v = k.value(value);
    switch (v.type) {
    case Value::String:
    case Value::ExpandString: return v.text;
    case Value::Integer: return v.number;
    case Value::None: break;
    }
    if (error)
        *error = QStringLiteral("The configuration registry key could not be read.");
    return {};
}

bool SetRegistryData(RootKey root, const QString &key, const QString &value, RegDataType type,
                     const QVariant &data, QString *error)
{
    Key k;
    if (!k.open(root, key, true)) {
        if (error)
            *error = QStringLiteral("Access is denied.");
        return false;
    }
    if (type == rdUnknown) {
        switch (k.value(value).type) {
        case Value::String: type = rdString; break;
        case Value::ExpandString: type = rdExpandString; break;
        case Value::Integer: type = rdInteger; break;
        case Value::None: break;
        }
    }
    bool ok = false;
    switch (type) {
    case rdString: ok = k.writeString(value, data.toString()); break;
    case rdExpandString: ok = k.writeString(value, data.toString(), true); break;
    case rdInteger: ok = k.writeInteger(value, qint32(data.toLongLong())); break;
    default:
        if (error)
            *error = QStringLiteral("The configuration registry key could not be written.");
        return false;
    }
    if (!ok && error)
        *error = QStringLiteral("The configuration registry key could not be written.");
    return ok;
}

} // namespace Registry
