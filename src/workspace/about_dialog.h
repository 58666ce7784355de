#pragma once
// The about box "프로그램 정보": the program's icon and name, one line on what
// it does, and a line on what it is built with. The editor has no web page
// of its own, so the box links nowhere: every line is plain text.
#include <QDialog>

namespace workspace {

class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    static const QString kTitleLine;
    static const QString kDescriptionLine;
    // The last line (Label2): the Qt version the editor runs on.
    static QString builtWithLine();

    explicit AboutDialog(QWidget *parent = nullptr);

    // Builds the box afresh and shows it modally.
    static int open(QWidget *parent);
};

} // namespace workspace
