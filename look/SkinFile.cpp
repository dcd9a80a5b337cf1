#include "look/SkinFile.h"

#include <QColor>
#include <QFile>
#include <QHash>
#include <QStringDecoder>

namespace {

struct RawSkin
{
    QString name;
    QHash<QString, QString> colours;
    QStringList style;
};

bool readSkins(const QString &fileName, QList<RawSkin> &skins)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(file.readAll());
    if (utf8.hasError())
        return false;

    bool inStyle = false;
    for (QString line : text.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.startsWith('[') && line.trimmed().endsWith(']')) {
            const QString t = line.trimmed();
            skins.append(RawSkin{t.mid(1, t.size() - 2).trimmed(), {}, {}});
            inStyle = false;
            continue;
        }
        if (skins.isEmpty())
            continue;
        if (inStyle) {
            skins.last().style.append(line);
            continue;
        }
        const QString t = line.trimmed();
        if (t.isEmpty() || t.startsWith(';'))
            continue;
        if (t == QLatin1String("style:")) {
            inStyle = true;
            continue;
        }
        const int eq = t.indexOf('=');
        if (eq > 0)
            skins.last().colours.insert(t.left(eq).trimmed().toLower(), t.mid(eq + 1).trimmed());
    }
    return true;
}

QColor colour(const RawSkin &raw, const char *key, const QColor &fallback = QColor())
{
    const QColor c = QColor::fromString(raw.colours.value(QString::fromLatin1(key).toLower()));
    return c.isValid() ? c : fallback;
}

QColor mix(const QColor &a, const QColor &b, qreal t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

QColor contrastOn(const QColor &background)
{
    return background.lightnessF() > 0.55 ? QColor(Qt::black) : QColor(Qt::white);
}

bool makePalette(const RawSkin &raw, QPalette &p)
{
    const QColor window = colour(raw, "window"), base = colour(raw, "base"), text = colour(raw, "text"),
                 button = colour(raw, "button"), highlight = colour(raw, "highlight");
    if (!window.isValid() || !base.isValid() || !text.isValid() || !button.isValid() || !highlight.isValid())
        return false;
    const QColor windowText = colour(raw, "windowText", text);
    const QColor buttonText = colour(raw, "buttonText", text);

    // QPalette(button, window) derives the light/mid/dark bevel shades.
    p = QPalette(button, window);
    p.setColor(QPalette::WindowText, windowText);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, colour(raw, "alternateBase", mix(base, window, 0.5)));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::ButtonText, buttonText);
    p.setColor(QPalette::BrightText, contrastOn(highlight));
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, colour(raw, "highlightedText", contrastOn(highlight)));
    p.setColor(QPalette::ToolTipBase, colour(raw, "toolTipBase", base));
    p.setColor(QPalette::ToolTipText, colour(raw, "toolTipText", text));
    p.setColor(QPalette::Link, colour(raw, "link", highlight));
    p.setColor(QPalette::LinkVisited, colour(raw, "link", highlight).darker(120));
    p.setColor(QPalette::PlaceholderText, colour(raw, "placeholderText", mix(text, base, 0.5)));
    // Disabled texts halfway to their background, so they read as disabled on light and dark skins.
    p.setColor(QPalette::Disabled, QPalette::WindowText, mix(windowText, window, 0.55));
    p.setColor(QPalette::Disabled, QPalette::Text, mix(text, base, 0.55));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, mix(buttonText, button, 0.55));
    p.setColor(QPalette::Disabled, QPalette::Highlight, mix(highlight, window, 0.5));
    return true;
}

} // namespace

QStringList SkinNames(const QString &fileName)
{
    QList<RawSkin> skins;
    QStringList names;
    if (readSkins(fileName, skins))
        for (const RawSkin &s : skins)
            names.append(s.name);
    return names;
}

bool LoadSkin(const QString &fileName, const QString &name, TSkin &skin)
{
    QList<RawSkin> skins;
    if (!readSkins(fileName, skins))
        return false;
    for (const RawSkin &raw : skins) {
        if (raw.name != name)
            continue;
        QPalette palette;
        if (!makePalette(raw, palette))
            return false;
        skin.name = raw.name;
        skin.palette = palette;
        skin.styleSheet = raw.style.join('\n').trimmed();
        return true;
    }
    return false;
}
