// SPDX-License-Identifier: GPL-3.0-or-later
// xfconfd over D-Bus: org.xfce.Xfconf GetAllProperties / SetProperty on the
// channel xfce4-desktop. xfdesktop watches the picture's folder, so a new file
// at the same path shows without any further call.
#include "platform/wallpaper/xfce_backend.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <stdexcept>

#include "platform/wallpaper/backends.h"

namespace dorvane::platform::wallpaper {
namespace {

const QString kService = QStringLiteral("org.xfce.Xfconf");
const QString kChannel = QStringLiteral("xfce4-desktop");
const QString kStyleSuffix = QStringLiteral("/image-style");
constexpr qint32 kStretched = 3;

struct Failure : std::runtime_error {
    explicit Failure(const QString& why) : std::runtime_error(why.toStdString()) {}
};

QDBusMessage Call(const QString& method, const QVariantList& args) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, QStringLiteral("/org/xfce/Xfconf"),
                                                       kService, method);
    call.setArguments(args);
    return call;
}

bool IsImageProperty(const QString& property) {
    return property.endsWith(QLatin1String("/last-image")) ||
           property.endsWith(QLatin1String("/image-path"));
}

QString StyleProperty(const QString& imageProperty) {
    return imageProperty.section(QLatin1Char('/'), 0, -2) + kStyleSuffix;
}

}  // namespace

QStringList XfceImageProperties(const QStringList& existing, const QStringList& screenNames) {
    QStringList properties;
    for (const QString& property : existing)
        if (IsImageProperty(property)) properties << property;
    if (!properties.isEmpty()) return properties;
    // xfdesktop names a monitor by its model with the blanks removed.
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QStringList monitors;
    for (QString name : screenNames) monitors << name.remove(blanks);
    monitors << QStringLiteral("0");
    monitors.removeDuplicates();
    for (const QString& monitor : monitors)
        if (!monitor.isEmpty())
            properties
                << QStringLiteral("/backdrop/screen0/monitor%1/workspace0/last-image").arg(monitor);
    return properties;
}

QStringList XfceMonitorProperties(const QStringList& existing, const QString& monitorName) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QString prefix = QStringLiteral("/backdrop/screen0/monitor%1/workspace")
                               .arg(QString(monitorName).remove(blanks));
    QStringList properties;
    for (const QString& property : existing)
        if (property.startsWith(prefix) && property.endsWith(QLatin1String("/last-image")) &&
            !property.mid(prefix.size()).section(QLatin1Char('/'), 0, 0).isEmpty())
            properties << property;
    if (properties.isEmpty())
        for (int workspace = 0; workspace < 4; ++workspace)
            properties << prefix + QString::number(workspace) + QStringLiteral("/last-image");
    return properties;
}

XfceBackend::XfceBackend(QDBusConnection bus, QStringList screenNames)
    : bus_(std::move(bus)), screenNames_(std::move(screenNames)) {}

QVariantMap XfceBackend::backdrops() {
    const QDBusMessage reply =
        bus_.call(Call(QStringLiteral("GetAllProperties"), {kChannel, QStringLiteral("/backdrop")}),
                  QDBus::Block, kTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        // A fresh profile has no backdrop yet.
        if (reply.errorName() == QLatin1String("org.xfce.Xfconf.Error.PropertyNotFound") ||
            reply.errorName() == QLatin1String("org.xfce.Xfconf.Error.ChannelNotFound"))
            return {};
        throw Failure(QStringLiteral("the settings service xfconfd did not answer (%1)")
                          .arg(reply.errorMessage().left(200)));
    }
    if (reply.arguments().isEmpty()) return {};
    return qdbus_cast<QVariantMap>(reply.arguments().front());
}

void XfceBackend::setProperty(const QString& property, const QVariant& value) {
    const QDBusMessage reply =
        bus_.call(Call(QStringLiteral("SetProperty"),
                       {kChannel, property, QVariant::fromValue(QDBusVariant(value))}),
                  QDBus::Block, kTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage)
        throw Failure(QStringLiteral("%1 could not be set (%2)")
                          .arg(property, reply.errorMessage().left(200)));
}

Outcome XfceBackend::apply(const QString& absPath) {
    if (!bus_.isConnected()) return setAll({});
    try {
        QList<std::pair<QString, QString>> images;
        for (const QString& property : XfceImageProperties(backdrops().keys(), screenNames_))
            images.append({property, absPath});
        return setAll(images);
    } catch (const Failure& failure) {
        return {false, QStringLiteral("XFCE: ") + QString::fromStdString(failure.what()) +
                           QLatin1Char('.')};
    }
}

Outcome XfceBackend::applyEach(const QList<MonitorPicture>& pictures) {
    if (!bus_.isConnected()) return setAll({});
    try {
        const QStringList existing = backdrops().keys();
        QList<std::pair<QString, QString>> images;
        for (const MonitorPicture& picture : pictures)
            for (const QString& property : XfceMonitorProperties(existing, picture.name))
                images.append({property, picture.path});
        return setAll(images);
    } catch (const Failure& failure) {
        return {false, QStringLiteral("XFCE: ") + QString::fromStdString(failure.what()) +
                           QLatin1Char('.')};
    }
}

Outcome XfceBackend::setAll(const QList<std::pair<QString, QString>>& images) {
    const QString xfce = QStringLiteral("XFCE: ");
    if (!bus_.isConnected())
        return {false, xfce + QStringLiteral("there is no session bus to reach the settings "
                                             "service xfconfd.")};
    try {
        for (const auto& [property, path] : images) {
            setProperty(property, path);
            setProperty(StyleProperty(property), kStretched);
        }
        const QVariantMap saved = backdrops();
        for (const auto& [property, path] : images)
            if (saved.value(property).toString() != path ||
                saved.value(StyleProperty(property)).toInt() != kStretched)
                throw Failure(QStringLiteral("the settings were not saved"));
    } catch (const Failure& failure) {
        return {false, xfce + QString::fromStdString(failure.what()) + QLatin1Char('.')};
    }
    if (!bus_.interface()->isServiceRegistered(QStringLiteral("org.xfce.xfdesktop")))
        return {false, xfce + QStringLiteral("the settings were saved, but the desktop "
                                             "(xfdesktop) is not running to show them.")};
    return {true, xfce + QStringLiteral("set through xfconf")};
}

std::unique_ptr<Backend> MakeXfceBackend() {
    QStringList screens;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        for (const QScreen* screen : QGuiApplication::screens()) screens << screen->name();
    return std::make_unique<XfceBackend>(QDBusConnection::sessionBus(), screens);
}

}  // namespace dorvane::platform::wallpaper
