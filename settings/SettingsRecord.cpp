#include "settings/SettingsRecord.h"
#include "settings/Registry.h"

#include <QCoreApplication>
#include <QList>
#include <QPair>

using namespace Registry;

int vInterfaceLang = 0;
QString vFontName = QStringLiteral("Segoe UI");
QString vLastWord;
int vDictionary = 1;
bool vMultiDictionary = false;
int vGlobalActiveStyle = 25;
QString vGlobalActiveName = QStringLiteral("Office2010Blue");

void TSettingsRecord::SetDefaultOptions()
{
    vOpenSutta = 1;
    vPopupActive = true;
    vPopupTime = 30;
    vLastSutta = 1;
    vLastTevaka = 1;
    vInterfaceLang = 0;
    vFontName = QStringLiteral("Segoe UI");
    vBgColor = kWindowColor;
    vHighlightColor = kYellow;
    vLastWord.clear();
    vDictionary = 1;
    vMultiDictionary = true;
    vLanguageSutta = 1;
    vMarginWidth = 0;
    vZoomPercent = 100;
}

void TSettingsRecord::ReadSystemOptions()
{
    Key key;
    bool ok = key.open(RootKey::CurrentUser, kOptionsKey, false);
    if (ok) {
        // Read in the stored order; the first failure sends the whole group to its defaults.
        qint32 n = 0;
        QString s;
        auto integer = [&](const char *name, auto &field) {
            if (ok && (ok = key.readInteger(name, n)))
                field = n;
        };
        auto yesno = [&](const char *name, bool &field) {
            if (ok && (ok = key.readInteger(name, n)))
                field = n != 0;
        };
        auto colour = [&](const char *name, quint32 &field) {
            if (ok && (ok = key.readInteger(name, n)))
                field = quint32(n);
        };
        auto string = [&](const char *name, QString &field) {
            if (ok && (ok = key.readString(name, s)))
                field = s;
        };
        integer("OpenSutta", vOpenSutta);
        integer("LastSutta", vLastSutta);
        integer("LastTevaka", vLastTevaka);
        yesno("PopupActive", vPopupActive);
        integer("PopupTime", vPopupTime);
        integer("InterfaceLang", vInterfaceLang);
        string("FontName", vFontName);
        colour("BgColor", vBgColor);
        colour("SeachHighlightColor", vHighlightColor);
        string("LastWord", vLastWord);
        integer("Dictionary", vDictionary);
        integer("LanguageSutta", vLanguageSutta);
        integer("MarginWidth", vMarginWidth);
        integer("ZoomPercent", vZoomPercent);
    }
    if (!ok)
        SetDefaultOptions();

    const QVariant run = GetRegistryData(RootKey::LocalMachine, kRunKey, "Tevaka");
    const QString text = run.isValid() ? run.toString() : QString();
    vStartWin = !text.isEmpty() && text == AutostartCommand();
}

void TSettingsRecord::ReadActiveStyle()
{
    Key key;
    qint32 style = 0;
    QString name;
    if (key.open(RootKey::CurrentUser, kOptionsKey, false) && key.readInteger("GlobalActiveStyle", style)
        && key.readString("GlobalActiveName", name)) {
        vGlobalActiveStyle = style;
        vGlobalActiveName = name;
    } else {
        vGlobalActiveStyle = 25;
        vGlobalActiveName = QStringLiteral("Office2010Blue");
    }
}

void TSettingsRecord::WirteActiveStyle()
{
    Key key;
    if (!key.open(RootKey::CurrentUser, kOptionsKey, true))
        return;
    if (!key.writeInteger("GlobalActiveStyle", vGlobalActiveStyle)
        || !key.writeString("GlobalActiveName", vGlobalActiveName)) {
        key.writeInteger("GlobalActiveStyle", 16);
        key.writeString("GlobalActiveName", QStringLiteral("Office2007Blue"));
    }
}

void WriteOptionInteger(const QString &name, qint32 value)
{
    Key key;
    if (key.open(RootKey::CurrentUser, kOptionsKey, true))
        key.writeInteger(name, value);
}

void WriteOptionInteger(const QString &name, qint32 value, qint32 fallback)
{
    Key key;
    if (key.open(RootKey::CurrentUser, kOptionsKey, true) && !key.writeInteger(name, value))
        key.writeInteger(name, fallback);
}

void WriteOptionIntegers(const QList<QPair<QString, qint32>> &values, const QList<qint32> &fallbacks)
{
    Key key;
    if (!key.open(RootKey::CurrentUser, kOptionsKey, true))
        return;
    bool ok = true;
    for (const auto &v : values)
        ok = ok && key.writeInteger(v.first, v.second);
    if (!ok)
        for (int i = 0; i < values.size() && i < fallbacks.size(); ++i)
            key.writeInteger(values[i].first, fallbacks[i]);
}

void WriteOptionString(const QString &name, const QString &value)
{
    Key key;
    if (key.open(RootKey::CurrentUser, kOptionsKey, true))
        key.writeString(name, value);
}

QString AutostartCommand()
{
    return '"' + QCoreApplication::applicationFilePath() + '"';
}

void WriteStartWin(bool on)
{
    SetRegistryData(RootKey::LocalMachine, kRunKey, "Tevaka", rdString, on ? AutostartCommand() : QString());
}
