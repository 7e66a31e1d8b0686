// Records the accessibility events the window raises, as a screen reader
// would receive them.
//
// The toolkit hands events on only while the platform's accessibility is
// active; a desktop turns it on when a screen reader runs, the headless
// platform never does. The switch is not part of the public API, so its
// two entry points are declared here by hand (they are exported by the
// toolkit's GUI library).
#pragma once

#include <QAccessible>
#include <QObject>
#include <QPointer>

#include <vector>

class QPlatformAccessibility {
public:
    void setActive(bool active);
};
class QPlatformIntegration {
public:
    QPlatformAccessibility* accessibility() const;
};
class QGuiApplicationPrivate {
public:
    static QPlatformIntegration* platform_integration;
};

namespace wizardtest {

struct TAccessibilityEvent {
    QAccessible::Event Kind;
    QPointer<QObject> Object;
};

// Turns accessibility on and records every event until destroyed. Make it
// once the application exists: the platform it switches on comes with it.
class TAccessibilityRecorder {
public:
    TAccessibilityRecorder()
    {
        Events().clear();
        QAccessible::installUpdateHandler(&TAccessibilityRecorder::Record);
        QGuiApplicationPrivate::platform_integration->accessibility()->setActive(true);
    }
    ~TAccessibilityRecorder()
    {
        QGuiApplicationPrivate::platform_integration->accessibility()->setActive(false);
        QAccessible::installUpdateHandler(nullptr);
        Events().clear();
    }
    TAccessibilityRecorder(const TAccessibilityRecorder&) = delete;
    TAccessibilityRecorder& operator=(const TAccessibilityRecorder&) = delete;

    static std::vector<TAccessibilityEvent>& Events()
    {
        static std::vector<TAccessibilityEvent> events;
        return events;
    }
    // How many events of kind were raised on object since the last Clear.
    static int Count(QAccessible::Event kind, const QObject* object)
    {
        int count = 0;
        for (const TAccessibilityEvent& e : Events())
            count += e.Kind == kind && e.Object == object ? 1 : 0;
        return count;
    }
    static void Clear() { Events().clear(); }

private:
    static void Record(QAccessibleEvent* event) { Events().push_back({event->type(), event->object()}); }
};

}  // namespace wizardtest
