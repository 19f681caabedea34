#include "GlobalHotKey.h"

#include "X11GlobalHotKey.h"

#include <QGuiApplication>

namespace kvel {

namespace {

// Where no global key grab exists: nothing is ever caught or delivered.
class NullGlobalHotKey final : public GlobalHotKey
{
public:
    using GlobalHotKey::GlobalHotKey;

    quint32 GetHookMsg() const override { return 0; }
    bool SetHook(int) override { return false; }
    void RemoveHook() override {}
    bool grabbed() const override { return false; }
};

} // namespace

GlobalHotKey* createGlobalHotKey(QObject* parent)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 && x11->display())
        return new X11GlobalHotKey(x11->display(), parent);
    return new NullGlobalHotKey(parent);
}

} // namespace kvel
