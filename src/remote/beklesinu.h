#pragma once
// Background tasks and hand-offs to the user-interface thread.
//
//   struct Kapanis { bool hata = false; };           // shared by both procedures
//   auto k = std::make_shared<Kapanis>();
//   Async([k] { /* worker: pattern B call, no controls */ })
//       ->Await([k] { /* user-interface thread, after the worker */ });
//
// The worker runs on the shared thread pool; the completion always runs on
// the user-interface thread afterwards. An error that escapes the worker is
// raised there after the completion, through the default error handler.
// There is no cancellation.

#include <exception>
#include <functional>
#include <memory>

class IAwait {
public:
    virtual ~IAwait() = default;
    virtual void Await(std::function<void()> completion) = 0;
};

class TAwait : public IAwait, public std::enable_shared_from_this<TAwait> {
public:
    explicit TAwait(std::function<void()> async) : FAsync(std::move(async)) {}
    void Await(std::function<void()> completion) override;

private:
    std::function<void()> FAsync;
};

std::shared_ptr<IAwait> Async(std::function<void()> worker);

// Runs `f` on the user-interface thread; the caller waits until it has
// run. On the user-interface thread itself (or without an application) it
// runs at once. An error thrown by `f` is thrown again in the caller.
void Senkronize(const std::function<void()>& f);

// Runs `f` later on the user-interface thread; the caller does not wait.
void Kuyruga(std::function<void()> f);

// A fire-and-forget thread: runs `is` on a thread of its own and hands
// `teslim` its result synchronously on the user-interface thread.
template <class R>
void ArkaPlanIsiBaslat(std::function<R()> is, std::function<void(R)> teslim);
void ArkaPlanIsiBaslat(std::function<void()> is);

// The default error handler of the user-interface thread: shows the
// error's text in an error box. Tests may replace it (an empty function
// restores the box).
using THataIsleyici = std::function<void(std::exception_ptr)>;
void SetVarsayilanHataIsleyici(THataIsleyici isleyici);
void VarsayilanHataIsle(std::exception_ptr hata);

// Runs a user action; an error that escapes it goes to the default error
// handler, so the event loop goes on.
void Korumali(const std::function<void()>& eylem);

template <class R>
void ArkaPlanIsiBaslat(std::function<R()> is, std::function<void(R)> teslim)
{
    ArkaPlanIsiBaslat(std::function<void()>([is = std::move(is), teslim = std::move(teslim)] {
        R sonuc = is();
        Senkronize([&] { teslim(std::move(sonuc)); });
    }));
}
