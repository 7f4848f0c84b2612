#ifndef UPDATE_H
#define UPDATE_H

#include <QDialog>
#include <QNetworkReply>
#include <QPointer>
#include <QString>

class QNetworkAccessManager;
class QUrl;
class Ui_Update;

// The update dialog: checks the update server for a newer version, at
// construction (unseen) and on "Check now !", and downloads the announced
// file into a folder the user chooses. GUI thread only; all transfers are
// asynchronous. It never writes anywhere but the chosen folder, and there
// only a complete file under a plain name.
class Update : public QDialog
{
    Q_OBJECT

public:
    explicit Update(QWidget *parent = nullptr);
    ~Update() override;

    // Base URL (ending with "/") of every later request.
    static void setBaseUrl(const QString &url);
    static QString baseUrl();

signals:
    void updateIsAvailable();

private slots:
    void downloadUpdateInfos();
    void checkForUpdateInfos();
    void downloadSoftware();
    void saveSoftware();
    void progress(qint64 bytesReceived, qint64 bytesTotal);
    void errorMessage(QNetworkReply::NetworkError);

private:
    QNetworkReply *get(const QString &name);
    void showError(const QString &text);

    Ui_Update *ui;
    QNetworkAccessManager *manager;
    QPointer<QNetworkReply> reply;
    QString currentVersion;
    QString fileName;
    QString saveDirectory;
    bool updateFound = false;
    bool networkError = false;
    bool reportNoUpdate = false;
};

#endif // UPDATE_H
