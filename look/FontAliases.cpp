#include "look/FontAliases.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QSaveFile>
#include <unistd.h>

namespace {

const char *const kDesignFamilies[] = {"Segoe UI", "Segoe UI Semibold", "Tahoma"};

QByteArray aliasConfig()
{
    QByteArray conf = "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
                      "  <include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>\n";
    for (const char *family : kDesignFamilies) {
        conf += "  <alias binding=\"same\">\n    <family>";
        conf += family;
        conf += "</family>\n    <prefer><family>Noto Sans</family><family>DejaVu Sans</family></prefer>\n"
                "  </alias>\n";
    }
    // "Segoe UI Semibold" names a weight in its family name.
    conf += "  <match target=\"pattern\">\n    <test name=\"family\"><string>Segoe UI Semibold</string></test>\n"
            "    <edit name=\"weight\" mode=\"assign\"><const>semibold</const></edit>\n  </match>\n";
    conf += "</fontconfig>\n";
    return conf;
}

} // namespace

void InstallFontAliases()
{
    if (!qEnvironmentVariableIsEmpty("FONTCONFIG_FILE"))
        return;
    const QString path = QDir::tempPath() + "/tevaka-fonts-" + QString::number(getuid()) + ".conf";
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return; // system fonts only: Qt's own substitution still covers the widgets
    file.write(aliasConfig());
    if (file.commit())
        qputenv("FONTCONFIG_FILE", QFile::encodeName(path));
}

void InstallFontSubstitutes()
{
    for (const char *family : kDesignFamilies)
        QFont::insertSubstitutions(QString::fromLatin1(family), {"Noto Sans", "DejaVu Sans"});
}
