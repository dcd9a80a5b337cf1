#include "look/FontStyle.h"
#include "settings/SettingsRecord.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGraphicsDropShadowEffect>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

TFontStyle recFontStyle;

void SetFontQuality(QFont &font)
{
    font.setStyleStrategy(QFont::StyleStrategy((font.styleStrategy() & ~QFont::NoAntialias) | QFont::PreferAntialias));
}

QColor SkinAccentColor(int position)
{
    static const char *const accents[28] = {
        "#557eb4", "#535353", "#796255", "#7d735e", "#ebe9ed", "#ebe9ed", "#626677", "#17a7f5", "#797979", "#5966a2",
        "#197cd3", "#2c4d77", "#5a5a5a", "#00209d", "#535353", "#00209d", "#4b6553", "#694e55", "#4f4f6c", "#ebe9ed",
        "#385f8d", "#464958", "#4f4f6c", "#3a5a25", "#374d84", "#ab851f", "#794242", "#00209d"};
    if (position < 1 || position > 28)
        return QColor();
    return QColor::fromString(QLatin1String(accents[position - 1]));
}

namespace {

QFont baseFont()
{
    QFont f("Segoe UI", 10);
    recFontStyle.rFontName = f.family();
    recFontStyle.rFontSize = f.pointSize();
    SetFontQuality(f);
    return f;
}

bool isDataBound(const QObject *o)
{
    return o->property("dataBound").toBool();
}

bool isClass(const QObject *o, const QMetaObject &meta)
{
    return o->metaObject() == &meta;
}

void setFontOnly(QWidget *w, QFont f)
{
    SetFontQuality(f);
    w->setFont(f);
}

void setColour(QWidget *w, QPalette::ColorRole role, const QColor &c)
{
    if (!c.isValid())
        return;
    QPalette p = w->palette();
    p.setColor(role, c);
    w->setPalette(p);
}

// Font := base: family, size, style and colour all come from the base font.
void setBase(QWidget *w, const QFont &base)
{
    w->setFont(base);
    if (w->testAttribute(Qt::WA_SetPalette))
        w->setPalette(QPalette());
}

void setSize(QWidget *w, int size)
{
    QFont f = w->font();
    f.setPointSize(size);
    setFontOnly(w, f);
}

void raisedEffect(QWidget *w, int depth)
{
    auto *effect = new QGraphicsDropShadowEffect(w);
    effect->setBlurRadius(0);
    effect->setOffset(depth, depth);
    effect->setColor(Qt::white);
    w->setGraphicsEffect(effect);
}

QFont italicAt(const QString &family, int size)
{
    QFont f(family, size);
    f.setItalic(true);
    return f;
}

void applyLabel(QLabel *l, int tag, const QFont &base)
{
    const int size = recFontStyle.rFontSize;
    const QColor accent = SkinAccentColor(vGlobalActiveStyle);
    switch (tag) {
    case 0: setBase(l, base); break;
    case 1:
        setFontOnly(l, QFont(recFontStyle.rFontName, size));
        setColour(l, QPalette::WindowText, accent);
        break;
    case 2: setSize(l, size * 12 / 10); break;
    case 3: setSize(l, size * 14 / 10); break;
    case 4: setSize(l, size * 18 / 10); break;
    case 6: setSize(l, size * 36 / 10); break;
    case 5:
        setSize(l, size * 24 / 10);
        setColour(l, QPalette::WindowText, QColor(0x00, 0x00, 0x80));
        raisedEffect(l, 1);
        break;
    case 7:
        setSize(l, size * 48 / 10);
        setColour(l, QPalette::WindowText, QColor(0x80, 0x00, 0x00));
        raisedEffect(l, 2);
        break;
    case 10: setFontOnly(l, italicAt(recFontStyle.rFontName, size)); break;
    case 11:
        setFontOnly(l, QFont(recFontStyle.rFontName, size * 11 / 10));
        setColour(l, QPalette::WindowText, accent);
        break;
    default: break;
    }
}

void applyDataLabel(QLabel *l, int tag, const QFont &base)
{
    if (tag == 0)
        setBase(l, base);
    else if (tag == 10)
        setFontOnly(l, italicAt(recFontStyle.rFontName, recFontStyle.rFontSize));
    else if (tag == -1)
        setFontOnly(l, italicAt(base.family(), recFontStyle.rFontSize * 9 / 10));
}

void applyEdit(QWidget *w, int tag, const QFont &base)
{
    if (tag == 0) {
        setBase(w, base);
    } else if (tag == 1) {
        setBase(w, base);
        setColour(w, QPalette::Text, QColor(0xa0, 0xa0, 0xa4));
    }
}

} // namespace

void ApplyFormFonts(QObject *component)
{
    auto *w = qobject_cast<QWidget *>(component);
    if (!w)
        return;
    const QFont base = baseFont();
    const int tag = component->property("tag").toInt();
    auto *combo = qobject_cast<QComboBox *>(w);
    auto *label = qobject_cast<QLabel *>(w);

    if (isClass(w, QWidget::staticMetaObject) || isClass(w, QFrame::staticMetaObject))
        setBase(w, base);
    else if (label && isDataBound(label))
        applyDataLabel(label, tag, base);
    else if (auto *group = qobject_cast<QGroupBox *>(w)) {
        if (tag == 1)
            setBase(group, base);
    } else if (qobject_cast<QAbstractItemView *>(w))
        setBase(w, base);
    else if ((combo && !combo->isEditable()) || qobject_cast<QAbstractSpinBox *>(w)
             || ((qobject_cast<QLineEdit *>(w) || qobject_cast<QTextEdit *>(w)) && isDataBound(w)))
        setBase(w, base);
    else if (label)
        applyLabel(label, tag, base);
    else if (qobject_cast<QPushButton *>(w) || qobject_cast<QToolButton *>(w)) {
        if (tag == 0)
            setBase(w, base);
        else if (tag == -1) {
            setBase(w, base);
            setSize(w, 9);
        }
    } else if (combo || qobject_cast<QLineEdit *>(w) || qobject_cast<QTextEdit *>(w)
               || qobject_cast<QPlainTextEdit *>(w))
        applyEdit(w, tag, base);
    else if (qobject_cast<QTabWidget *>(w) || qobject_cast<QMenuBar *>(w) || qobject_cast<QToolBar *>(w)
             || qobject_cast<QMenu *>(w))
        setBase(w, base);
}

void ApplyWindowFonts(QWidget *window)
{
    const QList<QObject *> owned = window->findChildren<QObject *>();
    for (QObject *o : owned)
        ApplyFormFonts(o);
}
