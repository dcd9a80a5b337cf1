#pragma once
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

// The program keeps its settings as typed named values under named keys, the
// way the Windows registry does; here each key is one small JSON file under
// the XDG config folder, written atomically. The machine-wide autostart key
// maps to XDG autostart desktop entries instead.
namespace Registry {

enum class RootKey { CurrentUser, LocalMachine };

// Type argument of SetRegistryData.
enum RegDataType { rdUnknown = 0, rdString = 1, rdExpandString = 2, rdInteger = 3 };

inline const QString kOptionsKey = QStringLiteral("\\Software\\Belmo\\Tevaka\\Options\\");
inline const QString kRunKey = QStringLiteral("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");

struct Value
{
    enum Type { None, String, ExpandString, Integer };
    Type type = None;
    QString text;
    qint32 number = 0;
};

// The file that stands for a key (for the autostart key: the autostart folder).
QString KeyPath(RootKey root, const QString &key);

class Key
{
public:
    // Opens a key for reading (create = false) or writing (create = true,
    // making the key when missing). A settings file that cannot be parsed
    // counts as a missing key; opening it for writing first moves it aside.
    bool open(RootKey root, const QString &key, bool create);
    bool isOpen() const { return m_open; }

    Value value(const QString &name) const;
    // Fails when the value is absent or not an integer.
    bool readInteger(const QString &name, qint32 &out) const;
    // An absent value reads as empty; a value of another type fails.
    bool readString(const QString &name, QString &out) const;

    // Each write is stored at once.
    bool writeInteger(const QString &name, qint32 number);
    bool writeString(const QString &name, const QString &text, bool expandable = false);

private:
    bool store(const QString &name, const Value &v);
    bool load(bool *corrupt);

    RootKey m_root = RootKey::CurrentUser;
    QString m_path;
    bool m_autostart = false;
    bool m_open = false;
    QMap<QString, Value> m_values;
};

// Data of one value as a string or integer; on failure an invalid QVariant
// and the reason in *error.
QVariant GetRegistryData(RootKey root, const QString &key, const QString &value, QString *error = nullptr);
bool SetRegistryData(RootKey root, const QString &key, const QString &value, RegDataType type,
                     const QVariant &data, QString *error = nullptr);

// Test hook: the next write of each named value fails, as a refused write would.
void SetFailingWritesForTest(const QStringList &valueNames);

} // namespace Registry
