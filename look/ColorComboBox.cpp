#include "look/ColorComboBox.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPalette>
#include <QToolButton>

namespace {

struct NamedColour
{
    const char *name;
    quint32 rgb; // 0xRRGGBB
};

// X11 rgb.txt, one entry per colour name (no numbered or "grey" variants).
const NamedColour kX11Colours[] = {
    {"snow", 0xfffafa}, {"GhostWhite", 0xf8f8ff}, {"WhiteSmoke", 0xf5f5f5}, {"gainsboro", 0xdcdcdc},
    {"FloralWhite", 0xfffaf0}, {"OldLace", 0xfdf5e6}, {"linen", 0xfaf0e6}, {"AntiqueWhite", 0xfaebd7},
    {"PapayaWhip", 0xffefd5}, {"BlanchedAlmond", 0xffebcd}, {"bisque", 0xffe4c4}, {"PeachPuff", 0xffdab9},
    {"NavajoWhite", 0xffdead}, {"moccasin", 0xffe4b5}, {"cornsilk", 0xfff8dc}, {"ivory", 0xfffff0},
    {"LemonChiffon", 0xfffacd}, {"seashell", 0xfff5ee}, {"honeydew", 0xf0fff0}, {"MintCream", 0xf5fffa},
    {"azure", 0xf0ffff}, {"AliceBlue", 0xf0f8ff}, {"lavender", 0xe6e6fa}, {"LavenderBlush", 0xfff0f5},
    {"MistyRose", 0xffe4e1}, {"white", 0xffffff}, {"black", 0x000000}, {"DarkSlateGray", 0x2f4f4f},
    {"DimGray", 0x696969}, {"SlateGray", 0x708090}, {"LightSlateGray", 0x778899}, {"gray", 0xbebebe},
    {"LightGray", 0xd3d3d3}, {"MidnightBlue", 0x191970}, {"navy", 0x000080}, {"NavyBlue", 0x000080},
    {"CornflowerBlue", 0x6495ed}, {"DarkSlateBlue", 0x483d8b}, {"SlateBlue", 0x6a5acd},
    {"MediumSlateBlue", 0x7b68ee}, {"LightSlateBlue", 0x8470ff}, {"MediumBlue", 0x0000cd}, {"RoyalBlue", 0x4169e1},
    {"blue", 0x0000ff}, {"DodgerBlue", 0x1e90ff}, {"DeepSkyBlue", 0x00bfff}, {"SkyBlue", 0x87ceeb},
    {"LightSkyBlue", 0x87cefa}, {"SteelBlue", 0x4682b4}, {"LightSteelBlue", 0xb0c4de}, {"LightBlue", 0xadd8e6},
    {"PowderBlue", 0xb0e0e6}, {"PaleTurquoise", 0xafeeee}, {"DarkTurquoise", 0x00ced1},
    {"MediumTurquoise", 0x48d1cc}, {"turquoise", 0x40e0d0}, {"cyan", 0x00ffff}, {"LightCyan", 0xe0ffff},
    {"CadetBlue", 0x5f9ea0}, {"MediumAquamarine", 0x66cdaa}, {"aquamarine", 0x7fffd4}, {"DarkGreen", 0x006400},
    {"DarkOliveGreen", 0x556b2f}, {"DarkSeaGreen", 0x8fbc8f}, {"SeaGreen", 0x2e8b57}, {"MediumSeaGreen", 0x3cb371},
    {"LightSeaGreen", 0x20b2aa}, {"PaleGreen", 0x98fb98}, {"SpringGreen", 0x00ff7f}, {"LawnGreen", 0x7cfc00},
    {"green", 0x00ff00}, {"chartreuse", 0x7fff00}, {"MediumSpringGreen", 0x00fa9a}, {"GreenYellow", 0xadff2f},
    {"LimeGreen", 0x32cd32}, {"YellowGreen", 0x9acd32}, {"ForestGreen", 0x228b22}, {"OliveDrab", 0x6b8e23},
    {"DarkKhaki", 0xbdb76b}, {"khaki", 0xf0e68c}, {"PaleGoldenrod", 0xeee8aa}, {"LightGoldenrodYellow", 0xfafad2},
    {"LightYellow", 0xffffe0}, {"yellow", 0xffff00}, {"gold", 0xffd700}, {"LightGoldenrod", 0xeedd82},
    {"goldenrod", 0xdaa520}, {"DarkGoldenrod", 0xb8860b}, {"RosyBrown", 0xbc8f8f}, {"IndianRed", 0xcd5c5c},
    {"SaddleBrown", 0x8b4513}, {"sienna", 0xa0522d}, {"peru", 0xcd853f}, {"burlywood", 0xdeb887},
    {"beige", 0xf5f5dc}, {"wheat", 0xf5deb3}, {"SandyBrown", 0xf4a460}, {"tan", 0xd2b48c}, {"chocolate", 0xd2691e},
    {"firebrick", 0xb22222}, {"brown", 0xa52a2a}, {"DarkSalmon", 0xe9967a}, {"salmon", 0xfa8072},
    {"LightSalmon", 0xffa07a}, {"orange", 0xffa500}, {"DarkOrange", 0xff8c00}, {"coral", 0xff7f50},
    {"LightCoral", 0xf08080}, {"tomato", 0xff6347}, {"OrangeRed", 0xff4500}, {"red", 0xff0000},
    {"HotPink", 0xff69b4}, {"DeepPink", 0xff1493}, {"pink", 0xffc0cb}, {"LightPink", 0xffb6c1},
    {"PaleVioletRed", 0xdb7093}, {"maroon", 0xb03060}, {"MediumVioletRed", 0xc71585}, {"VioletRed", 0xd02090},
    {"magenta", 0xff00ff}, {"violet", 0xee82ee}, {"plum", 0xdda0dd}, {"orchid", 0xda70d6},
    {"MediumOrchid", 0xba55d3}, {"DarkOrchid", 0x9932cc}, {"DarkViolet", 0x9400d3}, {"BlueViolet", 0x8a2be2},
    {"purple", 0xa020f0}, {"MediumPurple", 0x9370db}, {"thistle", 0xd8bfd8}, {"DebianRed", 0xd70751},
    {"DarkGray", 0xa9a9a9}, {"DarkBlue", 0x00008b}, {"DarkCyan", 0x008b8b}, {"DarkMagenta", 0x8b008b},
    {"DarkRed", 0x8b0000}, {"LightGreen", 0x90ee90}
};

const QSize kSwatch(44, 14);

QIcon swatch(const QColor &c)
{
    QPixmap pm(kSwatch);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.setBrush(c);
    p.drawRect(0, 0, kSwatch.width() - 1, kSwatch.height() - 1);
    return QIcon(pm);
}

} // namespace

QColor TColorComboBox::ToColor(quint32 value)
{
    if ((value >> 24) == 0xFF) {
        // The system colours the program uses: 5 window background (text
        // areas), 15 button face, 8 window text.
        const QPalette pal = QApplication::palette();
        switch (value & 0xFF) {
        case 8: return pal.color(QPalette::Text);
        case 15: return pal.color(QPalette::Button);
        default: return pal.color(QPalette::Base);
        }
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

quint32 TColorComboBox::FromColor(const QColor &c)
{
    return quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16;
}

TColorComboBox::TColorComboBox(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_list = new QComboBox(this);
    m_list->setIconSize(kSwatch);
    m_list->setMaxVisibleItems(20);
    for (const NamedColour &c : kX11Colours) {
        const QColor rgb((c.rgb >> 16) & 0xFF, (c.rgb >> 8) & 0xFF, c.rgb & 0xFF);
        addEntry(FromColor(rgb), QString::fromLatin1(c.name));
    }
    m_pick = new QToolButton(this);
    m_pick->setText("...");
    connect(m_pick, &QToolButton::clicked, this, &TColorComboBox::pick);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_pick);
    setFocusProxy(m_list);
}

void TColorComboBox::addEntry(quint32 value, const QString &name)
{
    m_list->addItem(swatch(ToColor(value)), QString(), value);
    m_list->setItemData(m_list->count() - 1, name, Qt::ToolTipRole);
}

quint32 TColorComboBox::colorValue() const
{
    return m_list->currentData().toUInt();
}

void TColorComboBox::setColorValue(quint32 value)
{
    int index = m_list->findData(value);
    if (index < 0) {
        const QColor c = ToColor(value);
        addEntry(value, (value >> 24) == 0xFF ? QStringLiteral("Window") : c.name());
        index = m_list->count() - 1;
    }
    m_list->setCurrentIndex(index);
}

void TColorComboBox::pick()
{
    const QColor c = QColorDialog::getColor(ToColor(colorValue()), this);
    if (c.isValid())
        setColorValue(FromColor(c));
}
