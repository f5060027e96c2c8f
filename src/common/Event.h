#pragma once

#include <functional>
#include <memory>
#include <vector>

namespace zelvane {

// An event with any number of listeners, called in the order they subscribed. Subscribing returns a
// handle that belongs to the listener: it removes the listener when destroyed and can pause it for a
// while, so that no listener can erase or silence another one. A listener may throw to refuse what
// the event announces; the exception stops the call of the later listeners and reaches the emitter.
template<typename... Args>
class Event
{
    struct Listener
    {
        int id = 0;
        std::function<void(Args...)> call;
        bool paused = false;
    };
    struct Listeners
    {
        std::vector<Listener> items;
        int nextId = 1;
    };

public:
    // The handle of one listener. Movable, not copyable; an empty handle does nothing.
    class Subscription
    {
    public:
        Subscription() = default;
        Subscription(Subscription &&other) noexcept { *this = std::move(other); }
        Subscription &operator=(Subscription &&other) noexcept
        {
            if (this != &other) {
                reset();
                m_listeners = std::move(other.m_listeners);
                m_id = other.m_id;
                other.m_id = 0;
            }
            return *this;
        }
        Subscription(const Subscription &) = delete;
        Subscription &operator=(const Subscription &) = delete;
        ~Subscription() { reset(); }

        // Removes the listener.
        void reset()
        {
            if (auto listeners = m_listeners.lock())
                std::erase_if(listeners->items, [this](const Listener &l) { return l.id == m_id; });
            m_listeners.reset();
            m_id = 0;
        }
        void setPaused(bool paused)
        {
            if (Listener *l = find())
                l->paused = paused;
        }
        bool isPaused() const
        {
            const Listener *l = const_cast<Subscription *>(this)->find();
            return l && l->paused;
        }

        // Pauses the listener until the guard goes out of scope, then restores its former state.
        class Pause
        {
        public:
            explicit Pause(Subscription &s)
                : m_subscription(s)
                , m_was(s.isPaused())
            {
                s.setPaused(true);
            }
            ~Pause() { m_subscription.setPaused(m_was); }
            Pause(const Pause &) = delete;
            Pause &operator=(const Pause &) = delete;

        private:
            Subscription &m_subscription;
            bool m_was;
        };

    private:
        friend class Event;
        Subscription(std::weak_ptr<Listeners> listeners, int id)
            : m_listeners(std::move(listeners))
            , m_id(id)
        {
        }
        Listener *find()
        {
            auto listeners = m_listeners.lock();
            if (!listeners)
                return nullptr;
            for (Listener &l : listeners->items) {
                if (l.id == m_id)
                    return &l;
            }
            return nullptr;
        }

        std::weak_ptr<Listeners> m_listeners;
        int m_id = 0;
    };

    [[nodiscard]] Subscription subscribe(std::function<void(Args...)> call)
    {
        const int id = m_listeners->nextId++;
        m_listeners->items.push_back({id, std::move(call), false});
        return Subscription(m_listeners, id);
    }

    // Calls every listener that is not paused. Listeners added or removed meanwhile take effect at the
    // next call; a listener removed during this call is not called.
    void operator()(Args... args) const
    {
        const std::vector<Listener> snapshot = m_listeners->items;
        for (const Listener &l : snapshot) {
            if (!l.paused && isSubscribed(l.id))
                l.call(args...);
        }
    }

private:
    bool isSubscribed(int id) const
    {
        for (const Listener &l : m_listeners->items) {
            if (l.id == id)
                return !l.paused;
        }
        return false;
    }

    std::shared_ptr<Listeners> m_listeners = std::make_shared<Listeners>();
};

} // namespace zelvane
