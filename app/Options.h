#pragma once
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;
class TColorComboBox;
class TLanguageController;

// The options dialog: reading font and colours, what opens at start, the
// Dhammapada popup and the start-with-session entry. It reads and writes the
// settings key itself; on OK the caller rebuilds the page.
class TfrmOptions : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmOptions(QWidget *parent = nullptr);

    QTabWidget *pcOptions;
    QWidget *tsFormat, *tsSystem;
    QComboBox *cbFontName;
    TColorComboBox *ccbBgColor, *ccbSeachHighlightColor;
    QComboBox *cbOpenSutta;
    QCheckBox *cbPopupActive, *cbStartWin;
    QSpinBox *sePopupTime;
    QLabel *lcFormatItemFontName, *lcFormatItemBgColor, *lcFormatItemHighlightColor;
    QLabel *lcSystemItemOpenAppWith, *lcSystemItemDhammapadaPopup, *lcSystemItemSecondPerNo,
        *lcSystemItemStartWithWindows;
    QPushButton *btnDefault, *btnOK, *btnCancel;

    void acDefaultExecute();
    void acOKExecute();
    void cbStartWinFocusChanged();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void LoadOptions();
    bool SaveOptions();
    void setFontText(const QString &family);

    TLanguageController *m_language = nullptr;
};
