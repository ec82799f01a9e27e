// The about window "frmAbout": logo, version, a word on the program, and the
// update check, a link that opens the version page in the browser window.
#pragma once

#include <QWidget>

class QAbstractButton;
class QLabel;

namespace velmora {

class LabelButton;
class PictureBox;

class FrmAbout : public QWidget
{
    Q_OBJECT
public:
    // siteAddress: the product's web site, as people read it.
    explicit FrmAbout(const QString &siteAddress, QWidget *parent = nullptr);

    static QString label1Text(const QString &siteAddress);
    static QString label2Text();

    PictureBox *AboutIm() const { return m_banner; }
    QAbstractButton *closeIm() const { return m_closeIm; }
    PictureBox *Image1() const { return m_logo; }
    QLabel *Label1() const { return m_label1; }
    QLabel *Label2() const { return m_label2; }
    LabelButton *lblVersion() const { return m_lblVersion; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    PictureBox *m_banner;
    QAbstractButton *m_closeIm;
    PictureBox *m_logo;
    QLabel *m_label1;
    QLabel *m_label2;
    LabelButton *m_lblVersion;
};

} // namespace velmora
