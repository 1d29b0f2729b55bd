#pragma once
// The slot guard. An error must never leave a slot: Qt's signal dispatch is
// not made to carry exceptions. Every connection of the program goes
// through VedettKapcsol, which runs the slot inside Vedett: an error is shown
// in the error box (the engine's own text, or the caller's message) and the
// operation ends there, while the program goes on.

#include <QObject>
#include <QString>
#include <exception>
#include <functional>
#include <tuple>
#include <type_traits>
#include <utility>

// Shows the error held by `hiba` in the error box: `uzenet` when given,
// otherwise the error's own text.
void VedettHibaKijelzes(const std::exception_ptr &hiba, const QString &uzenet = QString());

// Runs `muvelet`; an error it raises is shown and ends it. False when an
// error stopped the operation.
template <typename Muvelet>
bool Vedett(Muvelet &&muvelet, const QString &uzenet = QString())
{
    try {
        std::forward<Muvelet>(muvelet)();
        return true;
    } catch (...) {
        VedettHibaKijelzes(std::current_exception(), uzenet);
        return false;
    }
}

namespace vedett_reszlet {

// A member function of the receiving object as a callable.
template <typename Obj, typename Fv>
struct Tagfuggveny {
    Obj *obj;
    Fv fv;
    template <typename... A>
    auto operator()(A &&...a) const -> decltype(std::invoke(fv, obj, std::forward<A>(a)...))
    {
        return std::invoke(fv, obj, std::forward<A>(a)...);
    }
};

template <typename F, typename Tuple, std::size_t... I>
constexpr bool hivhato(std::index_sequence<I...>)
{
    return std::is_invocable_v<F &, std::tuple_element_t<I, Tuple>...>;
}

template <typename Tuple, std::size_t... I>
auto reszTuple(Tuple &t, std::index_sequence<I...>)
{
    return std::forward_as_tuple(std::get<I>(t)...);
}

// Calls `f` with as many leading arguments of the signal as it takes, as
// Qt's own connect does.
template <std::size_t N, typename F, typename Tuple>
void hiv(F &f, Tuple &t)
{
    if constexpr (hivhato<F, Tuple>(std::make_index_sequence<N>{})) {
        std::apply([&f](auto &&...a) { std::invoke(f, std::forward<decltype(a)>(a)...); },
                   reszTuple(t, std::make_index_sequence<N>{}));
    } else {
        static_assert(N > 0, "the slot does not accept the signal's arguments");
        if constexpr (N > 0)
            hiv<N - 1>(f, t);
    }
}

template <typename Slot>
struct Orzott {
    Slot slot;
    QString uzenet;
    template <typename... A>
    void operator()(A &&...a)
    {
        Vedett([&] {
            auto arg = std::forward_as_tuple(std::forward<A>(a)...);
            hiv<sizeof...(A)>(slot, arg);
        }, uzenet);
    }
};

template <typename Obj, typename Slot>
auto hivhatova(Obj *obj, Slot slot)
{
    if constexpr (std::is_member_function_pointer_v<Slot>)
        return Tagfuggveny<Obj, Slot>{obj, slot};
    else
        return slot;
}

}  // namespace vedett_reszlet

// QObject::connect with the guard around the slot. The slot is a functor or a
// member function of `cel`; the connection ends with `cel` as with connect.
// `uzenet`, when given, is shown instead of the error's own text.
template <typename Kuldo, typename Jel, typename Cel, typename Slot>
QMetaObject::Connection VedettKapcsol(const Kuldo *kuldo, Jel jel, Cel *cel, Slot slot,
                                      const QString &uzenet = QString())
{
    using Hivo = decltype(vedett_reszlet::hivhatova(cel, std::move(slot)));
    return QObject::connect(kuldo, jel, cel,
                            vedett_reszlet::Orzott<Hivo>{vedett_reszlet::hivhatova(cel, std::move(slot)), uzenet});
}
