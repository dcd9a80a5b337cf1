#pragma once
#include <QWidget>

class QComboBox;
class QToolButton;

// A colour list: the X11 named colours in rgb.txt order as swatches without
// names (the name is the entry's tool tip), and a button that picks any colour.
// Values are the platform's 32-bit colours: 0x00BBGGRR, or a system colour
// with high byte 0xFF, which the list keeps as an extra entry of its own.
class TColorComboBox : public QWidget
{
    Q_OBJECT
public:
    explicit TColorComboBox(QWidget *parent = nullptr);

    quint32 colorValue() const;
    void setColorValue(quint32 value);

    QComboBox *list() const { return m_list; }
    QToolButton *pickButton() const { return m_pick; }

    // Screen colour of a 32-bit colour value; system colours from the palette.
    static QColor ToColor(quint32 value);
    static quint32 FromColor(const QColor &colour);

private:
    void addEntry(quint32 value, const QString &name);
    void pick();

    QComboBox *m_list;
    QToolButton *m_pick;
};
