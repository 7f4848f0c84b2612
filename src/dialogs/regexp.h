#ifndef REGEXP_H
#define REGEXP_H

#include <QWidget>

class Ui_Regexp;

// The five-page reference on pattern syntax. GUI thread only; it displays
// text and changes nothing else.
class Regexp : public QWidget
{
    Q_OBJECT

public:
    explicit Regexp(QWidget *parent = nullptr);
    ~Regexp() override;

private slots:
    // Next or previous page, by the button that sent it; wraps around.
    void setCurrentIndex();

private:
    Ui_Regexp *ui;
};

#endif // REGEXP_H
