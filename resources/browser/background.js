// SPDX-License-Identifier: GPL-2.0-or-later
"use strict";
// Kvel's item in the context menu of selected text. The dictionary decides
// which item is offered (Serbian, English or none) and its native host tells
// the extension; the selection goes to the host, which starts the dictionary.

const api = globalThis.browser ?? globalThis.chrome;
const HOST = "org.kvel.translate";
const ITEM = "kvel-translate";
const REFRESH_ALARM = "kvel-refresh";

// The caption on show: "" when no item is shown, null before the first answer.
let shownCaption = null;

async function askHost(message) {
  try {
    return await api.runtime.sendNativeMessage(HOST, message);
  } catch (error) {
    // Kvel not installed or its host not registered: no item, nothing to do.
    console.warn("Kvel:", error?.message ?? error);
    return null;
  }
}

async function refreshMenu() {
  const state = await askHost({ action: "state" });
  const caption = state?.caption ?? "";
  if (caption === shownCaption) {
    return;
  }
  shownCaption = caption;
  await api.contextMenus.removeAll();
  if (caption) {
    api.contextMenus.create({ id: ITEM, title: caption, contexts: ["selection"] });
  }
}

// The user may switch the language or the option in Kvel at any time.
function keepRefreshing() {
  api.alarms.create(REFRESH_ALARM, { periodInMinutes: 1 });
  refreshMenu();
}

api.runtime.onInstalled.addListener(keepRefreshing);
api.runtime.onStartup.addListener(keepRefreshing);
api.alarms.onAlarm.addListener((alarm) => {
  if (alarm.name === REFRESH_ALARM) {
    refreshMenu();
  }
});

api.contextMenus.onClicked.addListener((info) => {
  if (info.menuItemId === ITEM && info.selectionText) {
    askHost({ action: "translate", text: info.selectionText });
  }
});

// Firefox tells when its menu opens, so the item can follow Kvel at once.
if (api.contextMenus.onShown) {
  api.contextMenus.onShown.addListener(async () => {
    await refreshMenu();
    api.contextMenus.refresh();
  });
}
