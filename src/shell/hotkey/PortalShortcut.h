// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDBusArgument>
#include <QList>
#include <QString>
#include <QVariantMap>

namespace kvel {

// One shortcut as the global-shortcuts portal passes it, (sa{sv}): an id of
// the program's choosing and properties such as "description" and
// "preferred_trigger".
struct PortalShortcut
{
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut);
const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut);

// Makes the types of the portal's calls and signals known to Qt D-Bus before
// the first call or connection; safe to call again.
void registerPortalTypes();

} // namespace kvel

Q_DECLARE_METATYPE(kvel::PortalShortcut)
