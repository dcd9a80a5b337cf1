#pragma once
#include <QByteArray>
#include <QWidget>

class THtmlView;
class QAction;
class QMenu;
class QToolBar;

// A sutta's alternative Vietnamese translation in a window of its own, beside
// the main window. One window per sutta, found again by its name.
class TfrmOtherTranslation : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmOtherTranslation(QWidget *owner);

    // The window's name for a sutta: "frmOtherTranslation" and its ID_TVC.
    static QString WindowName(int idTvc);
    // The open window of that name, or null.
    static TfrmOtherTranslation *Find(int idTvc);
    // Restores the sutta's window when there is one, else creates and shows it.
    static TfrmOtherTranslation *Open(QWidget *owner, int idTvc, const QString &nameVie, const QByteArray &content);

    QByteArray vOtherContent;
    bool FIsStartPage = true;

    THtmlView *ebOtherContent;
    QToolBar *barOther;
    QMenu *ppOtherContent;
    QAction *acFindDialog, *acCopy, *acSelectAll, *acPrint, *acPrintPreview, *acSave, *acZoomIn, *acZoomOut;

    void LoadOtherContent();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    bool m_shown = false;
};
