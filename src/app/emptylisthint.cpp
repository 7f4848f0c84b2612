#include "emptylisthint.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QEvent>

EmptyListHint::EmptyListHint(QAbstractItemView *view, const QString &text)
    : QLabel(text, view->viewport()), view(view)
{
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setForegroundRole(QPalette::PlaceholderText);
    setGeometry(view->viewport()->rect());
    view->viewport()->installEventFilter(this);
    QAbstractItemModel *model = view->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &EmptyListHint::follow);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &EmptyListHint::follow);
    connect(model, &QAbstractItemModel::modelReset, this, &EmptyListHint::follow);
    follow();
}

bool EmptyListHint::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == view->viewport() && event->type() == QEvent::Resize)
        setGeometry(view->viewport()->rect());
    return QLabel::eventFilter(watched, event);
}

void EmptyListHint::follow()
{
    setVisible(view->model()->rowCount() == 0);
}
