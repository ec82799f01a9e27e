// The about window "frmAbout": logo, version, a word on the program, and the
// update check, a link that opens the version page in the browser window.
#pragma once

#include <QWidget>

class QAbstractButton;
class QLabel;

namespace velmora {

class LabelButton;
class PictureBox;

class AboutWindow : public QWidget
{
    Q_OBJECT
public:
    // siteAddress: the product's web site, as people read it.
    explicit AboutWindow(const QString &siteAddress, QWidget *parent = nullptr);

    static QString creditsText(const QString &siteAddress);
    static QString licenceText();

    PictureBox *banner() const { return m_banner; }
    QAbstractButton *closeSpot() const { return m_closeSpot; }
    PictureBox *logo() const { return m_logo; }
    QLabel *creditsLabel() const { return m_creditsLabel; }
    QLabel *licenceLabel() const { return m_licenceLabel; }
    LabelButton *updateCheckLink() const { return m_updateCheckLink; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    PictureBox *m_banner;
    QAbstractButton *m_closeSpot;
    PictureBox *m_logo;
    QLabel *m_creditsLabel;
    QLabel *m_licenceLabel;
    LabelButton *m_updateCheckLink;
};

} // namespace velmora
