// The browser window "frmBrowser": the program's only web view, with no
// address bar; whoever opens a page decides what it shows. Its title follows
// the name of the loaded page; the picture at its top hides it.
#pragma once

#include <QWidget>

class QWebEngineProfile;
class QWebEngineView;

namespace velmora {

class ImageButton;

class FrmBrowser : public QWidget
{
    Q_OBJECT
public:
    // The design caption: 116 blanks, then "VelmoraWin - Navigateur".
    static QString designCaption();

    // The profile keeps nothing on disk: no cache, cookies or history.
    explicit FrmBrowser(QWebEngineProfile *profile, QWidget *parent = nullptr);

    QWebEngineView *brwWebBrowser() const { return m_browser; }
    ImageButton *Image1() const { return m_close; }

    // Opens an absolute address in the view.
    void Navigate(const QString &address);
    // The display name of the current page: its title, or its address when
    // it has none.
    QString LocationName() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void resizeLayout();
    void followLocationName();

    QWebEngineView *m_browser;
    ImageButton *m_close;
};

} // namespace velmora
