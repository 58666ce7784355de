#pragma once
// The about box "프로그램 정보": the program's icon and name, one line on what
// it does, and a link to the project's community page that opens in the
// desktop's web browser. The link turns red under the mouse.
#include <QDialog>
#include <QUrl>

#include <functional>

class QLabel;

namespace workspace {

class FrmInformation : public QDialog
{
    Q_OBJECT
public:
    // Starts the web browser on an address; the desktop's by default.
    using UrlOpener = std::function<bool(const QUrl &url)>;

    static const QString kTitleLine;
    static const QString kDescriptionLine;
    static const QUrl kCommunityUrl;
    static const QColor kLinkColor;
    static const QColor kLinkHoverColor;

    explicit FrmInformation(QWidget *parent = nullptr, UrlOpener opener = {});

    // Builds the box afresh and shows it modally.
    static int open(QWidget *parent, UrlOpener opener = {});

    QLabel *link() const { return m_link; }
    QColor linkColor() const;
    // Label2's click: the community page in the browser; the box stays open.
    void openLink();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void setLinkColor(const QColor &color);

    UrlOpener m_opener;
    QLabel *m_link = nullptr;
};

} // namespace workspace
