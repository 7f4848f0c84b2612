#ifndef EMPTYLISTHINT_H
#define EMPTYLISTHINT_H

#include <QLabel>

class QAbstractItemView;

// A line of help laid over an item view while its model has no rows; it
// takes no clicks and no drops, so the view behaves as if it were not there.
// Follows the model the view has when the hint is made.
class EmptyListHint : public QLabel
{
    Q_OBJECT

public:
    EmptyListHint(QAbstractItemView *view, const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow();

    QAbstractItemView *view;
};

#endif // EMPTYLISTHINT_H
