// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace kvel {

// The name under which the browsers know Kvel's native-messaging host, and
// the file name of its manifests.
inline constexpr char16_t kNativeHostName[] = u"org.kvel.translate";
QString nativeHostManifestFileName();

// The extension that may talk to the host, as each browser names it: its
// Firefox id, and the origin that the key in its Chromium manifest gives.
inline constexpr char16_t kFirefoxExtensionId[] = u"translate@kvel.org";
inline constexpr char16_t kChromiumExtensionOrigin[] =
    u"chrome-extension://gcofglnfkielhipkfpdkpldcffiebppb/";

// The host program, installed beside the dictionary's executable.
QString nativeHostPath(const QString& executablePath);

enum class ManifestFormat
{
    Firefox,  // "allowed_extensions"
    Chromium, // "allowed_origins"
};

QByteArray nativeHostManifest(ManifestFormat format, const QString& hostPath);

// A folder where one browser looks for the manifests of the user's hosts.
struct NativeHostFolder
{
    QString browserFolder; // the browser's per-user folder: present = installed and used
    QString manifestFolder;
    ManifestFormat format;

    bool operator==(const NativeHostFolder&) const = default;
};

// Firefox under home, Chromium and Google Chrome under configHome.
QList<NativeHostFolder> nativeHostFolders(const QString& home, const QString& configHome);

} // namespace kvel
