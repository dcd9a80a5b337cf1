#include "app/About.h"
#include "common/AppGlobals.h"
#include "common/HtmlView.h"
#include "look/FontStyle.h"
#include "look/LanguageController.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>


QString TfrmGioithieu::AboutPage()
{
    return QString::fromUtf8(R"(<!DOCTYPE html>
<html lang="vi"><head><meta charset="utf-8">
<style>
body { font-family: "Segoe UI", sans-serif; font-size: 9.5pt; margin: 6px 8px; line-height: 1.35; }
::-webkit-scrollbar { display: none; }
h3 { font-size: 11pt; margin: 0 0 6px 0; color: #800000; }
p { margin: 0 0 7px 0; }
ul { margin: 0 0 7px 0; padding-left: 18px; }
</style></head><body>
<h3>Tevaka – đọc và học Kinh Tạng Pāli</h3>
<p>Tevaka là phần mềm giúp đọc và tìm hiểu các bài kinh thuộc Tạng Kinh Pāli
(Trường Bộ, Trung Bộ, Tăng Chi Bộ, Tương Ưng Bộ và Tiểu Bộ). Mỗi bài kinh xem được
bằng tiếng Pāli, Việt hoặc Anh, kèm từ điển, tìm kiếm, đánh dấu đoạn kinh và Pháp Cú mỗi ngày.</p>
<p>Nguồn văn bản:</p>
<ul>
<li>Kinh văn Pāli (Mahāsaṅgīti) và bản dịch tiếng Anh của Tỳ khưu Sujato
lấy từ <a href="https://suttacentral.net/">SuttaCentral</a>
(<a href="https://github.com/suttacentral/bilara-data">bilara-data</a>).</li>
<li>Bản dịch tiếng Việt của Hòa thượng Thích Minh Châu (Trung Bộ do Bình Anson hiệu đính)
và của Tỳ khưu Indacanda (Tiểu Bộ), theo bản đăng trên
<a href="https://suttacentral.net/">SuttaCentral</a>.</li>
<li>Bản dịch Pháp Cú khác của Hòa thượng Thích Thiện Siêu, theo
<a href="https://github.com/bixycler/PhapCu-Dhammapada">PhapCu-Dhammapada</a>.</li>
</ul>
<p>Bản quyền các bản dịch thuộc về dịch giả. Tevaka được phát hành <b>miễn phí</b>,
không nhằm mục đích thương mại.</p>
<p>Góp ý, báo lỗi: <a href="%1/issues">trang góp ý của dự án</a>.</p>
</body></html>
)").arg(ProgramWebPage());
}

TfrmGioithieu::TfrmGioithieu(QWidget *parent) : QDialog(parent)
{
    setObjectName("frmGioithieu");
    setWindowTitle(QString::fromUtf8("Giới thiệu Tevaka"));
    setFont(QFont("Segoe UI", 10));
    setFixedSize(444, 528);

    lbTevaka = new QLabel("Tevaka", this);
    lbTevaka->setObjectName("lbTevaka");
    lbTevaka->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont title("Segoe UI Semibold", 18);
    title.setBold(true);
    lbTevaka->setFont(title);
    lbVersion = new QLabel("Version 3.0", this);
    lbVersion->setObjectName("lbVersion");
    lbVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbVersion->setFont(QFont("Segoe UI", 10));
    lbFreeware = new QLabel(QString::fromUtf8("Phần mềm miễn phí"), this);
    lbFreeware->setObjectName("lbFreeware");
    lbFreeware->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbFreeware->setFont(QFont("Segoe UI", 9));
    imgTevaka = new QLabel(this);
    imgTevaka->setObjectName("imgTevaka");
    const QIcon icon = QApplication::windowIcon().isNull() ? style()->standardIcon(QStyle::SP_MessageBoxInformation)
                                                           : QApplication::windowIcon();
    imgTevaka->setPixmap(icon.pixmap(32, 32));
    imgTevaka->setFixedSize(32, 32);

    auto *pnlAbout = new QWidget(this);
    pnlAbout->setObjectName("pnlAbout");
    pnlAbout->setFixedSize(390, 342);
    wbAbout = new THtmlView(pnlAbout);
    wbAbout->setObjectName("wbAbout");
    auto *panelLayout = new QVBoxLayout(pnlAbout);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(wbAbout);
    connect(wbAbout, &THtmlView::documentComplete, this, [this] { FIsStartPage = false; });
    connect(wbAbout, &THtmlView::beforeNavigate, this, &TfrmGioithieu::wbAboutBeforeNavigate2, Qt::DirectConnection);

    lbUpdateInfo = new QLabel(QString::fromUtf8("Thông tin thêm..."), this);
    lbUpdateInfo->setObjectName("lbUpdateInfo");
    QFont link = lbUpdateInfo->font();
    link.setUnderline(true);
    lbUpdateInfo->setFont(link);
    lbUpdateInfo->setCursor(Qt::PointingHandCursor);
    lbUpdateInfo->installEventFilter(this);
    btnClose = new QPushButton(QString::fromUtf8("Đó&ng"), this);
    btnClose->setObjectName("btnClose");
    btnClose->setDefault(true);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    mmAbout = new QPlainTextEdit(this);
    mmAbout->setObjectName("mmAbout");
    mmAbout->setVisible(false);
    mmAbout->setPlainText(AboutPage());

    auto *head = new QHBoxLayout;
    head->addWidget(imgTevaka, 0, Qt::AlignTop);
    auto *names = new QVBoxLayout;
    names->setSpacing(0);
    names->addWidget(lbTevaka);
    names->addWidget(lbVersion);
    names->addWidget(lbFreeware);
    head->addLayout(names, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lbUpdateInfo);
    bottom->addStretch(1);
    bottom->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(pnlAbout, 1, Qt::AlignHCenter);
    layout->addLayout(bottom);

    FormCreate();
    m_language = new TLanguageController(this);
}

void TfrmGioithieu::FormCreate()
{
    for (QWidget *w : {static_cast<QWidget *>(lbTevaka), static_cast<QWidget *>(lbVersion),
                       static_cast<QWidget *>(lbFreeware), static_cast<QWidget *>(btnClose)}) {
        QFont f = w->font();
        SetFontQuality(f);
        w->setFont(f);
    }
    // Maroon, dark grey and blue as designed; on a dark skin lighter shades of them.
    const bool dark = palette().color(QPalette::Window).lightness() < 128;
    lbTevaka->setStyleSheet(dark ? "color: #f0a0a0;" : "color: #800000;");
    lbFreeware->setStyleSheet(dark ? "color: #c0c0c0;" : "color: #404040;");
    lbUpdateInfo->setStyleSheet(dark ? "color: #8ab4ff;" : "color: #0000ff;");
    // The flag stays up until the view reports the page loaded: the load is asynchronous.
    FIsStartPage = true;
    wbAbout->loadHtml(mmAbout->toPlainText().toUtf8());
}

void TfrmGioithieu::wbAboutBeforeNavigate2(const QUrl &url, bool &cancel)
{
    if (!FIsStartPage && url.toString().contains(QLatin1String("http"))) {
        cancel = true;
        QDesktopServices::openUrl(url);
    }
}

void TfrmGioithieu::lbUpdateInfoClick()
{
    QDesktopServices::openUrl(QUrl(ProgramWebPage()));
}

bool TfrmGioithieu::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lbUpdateInfo && event->type() == QEvent::MouseButtonRelease)
        lbUpdateInfoClick();
    return QDialog::eventFilter(watched, event);
}

void TfrmGioithieu::closeEvent(QCloseEvent *event)
{
    // The view goes before the window: stop its page from loading anything more.
    wbAbout->engineView()->stop();
    QDialog::closeEvent(event);
}
