// The browser window "frmBrowser": the program's only web view, with no
// address bar; whoever opens a page decides what it shows. Its title follows
// the name of the loaded page; the picture at its top hides it.
#pragma once

#include <QWidget>

class QWebEngineProfile;
class QWebEngineView;

namespace velmora {

class ImageButton;

class BrowserWindow : public QWidget
{
    Q_OBJECT
public:
    // The design caption: 116 blanks, then "VelmoraWin - Navigateur".
    static QString designCaption();

    // The profile keeps nothing on disk: no cache, cookies or history.
    explicit BrowserWindow(QWebEngineProfile *profile, QWidget *parent = nullptr);

    QWebEngineView *view() const { return m_view; }
    ImageButton *closeButton() const { return m_closeButton; }

    // Opens an absolute address in the view.
    void navigate(const QString &address);
    // The display name of the current page: its title, or its address when
    // it has none.
    QString locationName() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void resizeLayout();
    void followLocationName();

    QWebEngineView *m_view;
    ImageButton *m_closeButton;
};

} // namespace velmora
