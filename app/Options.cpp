#include "app/Options.h"
#include "data/dmTevaka.h"
#include "look/ColorComboBox.h"
#include "look/LanguageController.h"
#include "settings/Registry.h"
#include "settings/SettingsRecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Registry;

static QLabel *itemCaption(const char *name, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

TfrmOptions::TfrmOptions(QWidget *parent) : QDialog(parent)
{
    setObjectName("frmOptions");
    setWindowTitle(QString::fromUtf8("Tùy chọn"));
    setFont(QFont("Segoe UI", 10));
    setFixedSize(394, 372);

    pcOptions = new QTabWidget(this);
    pcOptions->setObjectName("pcOptions");
    tsFormat = new QWidget;
    tsFormat->setObjectName("tsFormat");
    tsSystem = new QWidget;
    tsSystem->setObjectName("tsSystem");
    pcOptions->addTab(tsFormat, QString::fromUtf8("  Hiển thị  "));
    pcOptions->addTab(tsSystem, QString::fromUtf8("  Hệ thống  "));

    auto *format = new QFormLayout(tsFormat);
    cbFontName = new QComboBox(tsFormat);
    cbFontName->setObjectName("cbFontName");
    cbFontName->setEditable(true);
    cbFontName->setInsertPolicy(QComboBox::NoInsert);
    // The design font names resolve to an installed family (look/FontAliases.h),
    // so they are offered even where no font of that name is installed.
    QStringList families = QFontDatabase::families();
    if (!families.contains("Segoe UI"))
        families.append("Segoe UI");
    families.sort(Qt::CaseInsensitive);
    cbFontName->addItems(families);
    cbFontName->setCurrentIndex(-1);
    ccbBgColor = new TColorComboBox(tsFormat);
    ccbBgColor->setObjectName("ccbBgColor");
    ccbSeachHighlightColor = new TColorComboBox(tsFormat);
    ccbSeachHighlightColor->setObjectName("ccbSeachHighlightColor");
    lcFormatItemFontName = itemCaption("lcFormatItemFontName", tsFormat);
    lcFormatItemBgColor = itemCaption("lcFormatItemBgColor", tsFormat);
    lcFormatItemHighlightColor = itemCaption("lcFormatItemHighlightColor", tsFormat);
    format->addRow(lcFormatItemFontName, cbFontName);
    format->addRow(lcFormatItemBgColor, ccbBgColor);
    format->addRow(lcFormatItemHighlightColor, ccbSeachHighlightColor);

    auto *system = new QFormLayout(tsSystem);
    cbOpenSutta = new QComboBox(tsSystem);
    cbOpenSutta->setObjectName("cbOpenSutta");
    cbOpenSutta->addItems({QString::fromUtf8("Bài kinh sau cùng"), QString::fromUtf8("Bài kinh ngẫu nhiên"),
                           QString::fromUtf8("Không tùy chọn")});
    cbOpenSutta->setCurrentIndex(-1);
    cbPopupActive = new QCheckBox(tsSystem);
    cbPopupActive->setObjectName("cbPopupActive");
    sePopupTime = new QSpinBox(tsSystem);
    sePopupTime->setObjectName("sePopupTime");
    sePopupTime->setRange(1, 240);
    sePopupTime->setValue(1);
    cbStartWin = new QCheckBox(tsSystem);
    cbStartWin->setObjectName("cbStartWin");
    cbStartWin->installEventFilter(this);
    lcSystemItemOpenAppWith = itemCaption("lcSystemItemOpenAppWith", tsSystem);
    lcSystemItemDhammapadaPopup = itemCaption("lcSystemItemDhammapadaPopup", tsSystem);
    lcSystemItemSecondPerNo = itemCaption("lcSystemItemSecondPerNo", tsSystem);
    lcSystemItemStartWithWindows = itemCaption("lcSystemItemStartWithWindows", tsSystem);
    auto *interval = new QHBoxLayout;
    interval->addWidget(sePopupTime);
    interval->addWidget(lcSystemItemSecondPerNo, 1);
    system->addRow(lcSystemItemOpenAppWith, cbOpenSutta);
    system->addRow(lcSystemItemDhammapadaPopup, cbPopupActive);
    system->addRow(QString(), interval);
    system->addRow(lcSystemItemStartWithWindows, cbStartWin);

    btnDefault = new QPushButton(QString::fromUtf8("&Mặc định"), this);
    btnDefault->setObjectName("btnDefault");
    btnOK = new QPushButton(QString::fromUtf8("Đồ&ng ý"), this);
    btnOK->setObjectName("btnOK");
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QString::fromUtf8("&Bỏ qua"), this);
    btnCancel->setObjectName("btnCancel");
    connect(btnDefault, &QPushButton::clicked, this, &TfrmOptions::acDefaultExecute);
    connect(btnOK, &QPushButton::clicked, this, &TfrmOptions::acOKExecute);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnDefault);
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pcOptions, 1);
    layout->addLayout(buttons);

    FormCreate();
    m_language = new TLanguageController(this);
}

void TfrmOptions::FormCreate()
{
    LoadOptions();
    cbStartWin->setChecked(frmTevakaDM && frmTevakaDM->vStartWin);
}

void TfrmOptions::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TfrmOptions::FormShow()
{
    struct Caption
    {
        QLabel *label;
        const char *vie;
        const char *eng;
    };
    const Caption captions[] = {
        {lcFormatItemFontName, "Phông chữ", "Font name"},
        {lcFormatItemBgColor, "Màu nền văn bản", "Background color"},
        {lcFormatItemHighlightColor, "Màu kết quả tìm kiếm", "Highlight color"},
        {lcSystemItemOpenAppWith, "Mở ứng dụng theo", "Open application with"},
        {lcSystemItemDhammapadaPopup, "Hiển thị popup Pháp Cú", "Dhammapada popup"},
        {lcSystemItemSecondPerNo, "phút/1 lần", "second/1"},
        {lcSystemItemStartWithWindows, "Khởi động cùng Windows", "Start with Windows"},
    };
    if (vInterfaceLang != 0 && vInterfaceLang != 1)
        return;
    for (const Caption &c : captions)
        c.label->setText(QString::fromUtf8(vInterfaceLang == 0 ? c.vie : c.eng));
}

void TfrmOptions::setFontText(const QString &family)
{
    const int index = cbFontName->findText(family, Qt::MatchFixedString);
    cbFontName->setCurrentIndex(index);
    if (index < 0)
        cbFontName->setEditText(family);
}

void TfrmOptions::LoadOptions()
{
    Key key;
    if (!key.open(RootKey::CurrentUser, kOptionsKey, false))
        return;
    // In order; the first value that cannot be read leaves the rest as shown.
    qint32 n = 0;
    QString s;
    if (!key.readInteger("OpenSutta", n))
        return;
    cbOpenSutta->setCurrentIndex(n >= 1 && n <= 3 ? n - 1 : -1);
    if (!key.readInteger("PopupActive", n))
        return;
    cbPopupActive->setChecked(n != 0);
    if (!key.readInteger("PopupTime", n))
        return;
    sePopupTime->setValue(n);
    if (!key.readString("FontName", s))
        return;
    setFontText(s);
    if (!key.readInteger("BgColor", n))
        return;
    ccbBgColor->setColorValue(quint32(n));
    if (!key.readInteger("SeachHighlightColor", n))
        return;
    ccbSeachHighlightColor->setColorValue(quint32(n));
}

bool TfrmOptions::SaveOptions()
{
    Key key;
    if (!key.open(RootKey::CurrentUser, kOptionsKey, true))
        return false;
    // The font is the list entry the text selects; text matching no entry fails.
    const int font = cbFontName->findText(cbFontName->currentText(), Qt::MatchFixedString);
    return key.writeInteger("OpenSutta", cbOpenSutta->currentIndex() + 1)
        && key.writeInteger("PopupActive", cbPopupActive->isChecked() ? 1 : 0)
        && key.writeInteger("PopupTime", sePopupTime->value()) && font >= 0
        && key.writeString("FontName", cbFontName->itemText(font))
        && key.writeInteger("BgColor", qint32(ccbBgColor->colorValue()))
        && key.writeInteger("SeachHighlightColor", qint32(ccbSeachHighlightColor->colorValue()));
}

void TfrmOptions::acDefaultExecute()
{
    Key key;
    if (key.open(RootKey::CurrentUser, kOptionsKey, true)) {
        key.writeInteger("OpenSutta", 1) && key.writeInteger("PopupActive", 1) && key.writeInteger("PopupTime", 30)
            && key.writeString("FontName", "Segoe UI") && key.writeInteger("BgColor", qint32(kWindowColor))
            && key.writeInteger("SeachHighlightColor", qint32(kYellow));
    }
    LoadOptions();
}

void TfrmOptions::acOKExecute()
{
    SaveOptions();
    vFontName = cbFontName->currentText();
    if (TfrmTevakaDM *dm = frmTevakaDM) {
        dm->vBgColor = ccbBgColor->colorValue();
        dm->vHighlightColor = ccbSeachHighlightColor->colorValue();
        dm->vOpenSutta = cbOpenSutta->currentIndex() + 1;
        dm->vPopupTime = sePopupTime->value();
        dm->vPopupActive = cbPopupActive->isChecked();
    }
    accept();
}

void TfrmOptions::cbStartWinFocusChanged()
{
    WriteStartWin(cbStartWin->isChecked());
}

bool TfrmOptions::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == cbStartWin && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        cbStartWinFocusChanged();
    return QDialog::eventFilter(watched, event);
}
