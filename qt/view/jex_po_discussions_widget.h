#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <string>

namespace jex {
class JEXPODiscussionsXML;
}

namespace jex::qt {

// The discussion control on a Qt screen: owns one control, draws its widget model with native
// widgets and feeds every user action into the model's user-input API. The properties and
// methods below forward to the control; the widget adds no behaviour of its own.
class JEXPODiscussionsWidget : public QWidget {
    Q_OBJECT

  public:
    explicit JEXPODiscussionsWidget(QWidget* parent = nullptr);
    ~JEXPODiscussionsWidget() override;

    // The size the screen is laid out for.
    QSize sizeHint() const override;

    // Properties. Raise jex::Error on failure, keeping what was stored before it.
    void setUserName(const QString& userName);
    void setCorporateLevel(bool corporateLevel);
    void setViewMode(int viewMode);
    int viewMode() const;

    // Methods. The control reports its own failures (message boxes, its error reporter).
    void loadData(const QString& serverName, const QString& orderId);
    void saveData();
    QString saveDataToIIS(const QString& recordSeparator);
    QString getDiscussions(const QString& fieldSeparator, const QString& recordSeparator);
    QString getComments(const QString& fieldSeparator, const QString& recordSeparator);

    // The control itself, for hosts that need the whole automation interface.
    JEXPODiscussionsXML& control();
    // The native widget drawing the model widget of that name ("lstDiscussions",
    // "Frame4(2)"), or nullptr; the popup menu has none while it is closed.
    QWidget* nativeWidget(const std::string& modelName) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace jex::qt
