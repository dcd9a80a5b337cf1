#pragma once
#include <QColor>
#include <QFont>
#include <QString>

class QObject;
class QWidget;

// Base font of the windows' controls; every ApplyFormFonts run resets it to
// "Segoe UI" 10.
struct TFontStyle
{
    QString rFontName;
    int rFontSize = 0;
};
extern TFontStyle recFontStyle;

// Same font, antialiased output.
void SetFontQuality(QFont &font);

// Accent colour of the skin at a 1-based position of the skin list (labels
// with tag 1 and 11); invalid outside 1..28.
QColor SkinAccentColor(int position);

// Applies the base font to one component by its kind and its "tag" (an int
// dynamic property, 0 when absent). Kinds stand for these Qt classes, checked
// in this order; the first match decides, anything else is left unchanged.
// "base" replaces the font with the base font and drops a colour set on the
// widget's palette; "acc" is the accent colour of skin vGlobalActiveStyle.
//
//   plain panel            QWidget, QFrame (exact class)          any: base
//   data-bound label       QLabel with property "dataBound" true  0: base
//                                                                 10: rFontName rFontSize italic
//                                                                 -1: base family, size 9, italic
//   layout container       QGroupBox                              1: base; other tags unchanged
//   data grid              QAbstractItemView (tree, table, list)  any: base
//   list box, spin box     QComboBox not editable, QAbstractSpinBox,
//                          QLineEdit/QTextEdit with "dataBound"   any: base
//   label                  QLabel                                 0: base
//                                                                 1: rFontName rFontSize, colour acc
//                                                                 2, 3, 4, 6: size 12, 14, 18, 36
//                                                                 5: size 24, navy, white raised shadow depth 1
//                                                                 7: size 48, maroon, white raised shadow depth 2
//                                                                 10: as data-bound label 10
//                                                                 11: rFontName size 11, colour acc
//                                                                 other (e.g. -1): unchanged
//   push button            QPushButton, QToolButton               0: base; -1: base at size 9
//   edit box with button   QComboBox editable (QFontComboBox)     0: base; 1: base, text grey #a0a0a4
//   text box, memo         QLineEdit, QTextEdit, QPlainTextEdit   0: base; 1: base, text grey #a0a0a4
//   page control           QTabWidget                             any: base
//   bar manager            QMenuBar                               any: base
//   toolbar, pop-up menu   QToolBar, QMenu                        any: base
//
// Label sizes are the base size times 1.2, 1.4, 1.8, 2.4, 3.6, 4.8 (tags 2-7),
// 1.1 (tag 11) and 0.9 (tag -1), cut to whole numbers. Every font set is
// antialiased.
void ApplyFormFonts(QObject *component);

// ApplyFormFonts on every object the window owns, in creation order.
void ApplyWindowFonts(QWidget *window);
