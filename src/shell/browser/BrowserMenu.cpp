// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/browser/BrowserMenu.h"

#include "shell/browser/BrowserMenuItem.h"
#include "shell/browser/NativeHostManifest.h"
#include "shell/userfiles/UserFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kvel {

BrowserFolders BrowserFolders::ofUser()
{
    return {QDir::homePath(),
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)};
}

bool RegisterIEMenu(int ieMenu, int interfaceLanguage, const QString& executablePath,
                    const BrowserFolders& folders)
{
    const BrowserMenuItem item = activeBrowserMenuItem(ieMenu, interfaceLanguage);
    // With the option off nothing may point at this program: a build tree
    // tried out with IE=0 leaves no trace in the user's browsers.
    if (item == BrowserMenuItem::None)
        return RemoveIEMenu(folders);
    bool ok = writeFileIfChanged(browserMenuRecordPath(folders.configHome),
                                 browserMenuItemName(item).toUtf8() + '\n');
    const QString hostPath = nativeHostPath(executablePath);
    for (const NativeHostFolder& folder : nativeHostFolders(folders.home, folders.configHome)) {
        if (!QFileInfo(folder.browserFolder).isDir())
            continue;
        const QString manifest = QDir(folder.manifestFolder).filePath(nativeHostManifestFileName());
        ok = writeFileIfChanged(manifest, nativeHostManifest(folder.format, hostPath)) && ok;
    }
    return ok;
}

bool RemoveIEMenu(const BrowserFolders& folders)
{
    bool ok = removeFileIfPresent(browserMenuRecordPath(folders.configHome));
    for (const NativeHostFolder& folder : nativeHostFolders(folders.home, folders.configHome))
        ok = removeFileIfPresent(
                 QDir(folder.manifestFolder).filePath(nativeHostManifestFileName())) &&
             ok;
    return ok;
}

} // namespace kvel
