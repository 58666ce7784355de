#pragma once
// The words of the duel commands' lists, item index = stored value.
#include <QStringView>

namespace commands::duel {

// Action (tag 0x4C): item 0 is the plain stand.
inline constexpr QStringView kActionItems[] = {
    u"無",   u"후전",   u"전이",     u"소보전이", u"소보후퇴", u"거기무기", u"방어",  u"공격受",
    u"예비공격", u"공격", u"두번공격", u"졸도",     u"날씨",     u"퇴각",     u"무도1", u"무도2",
};
// Result of an attack of the first kind (tag 0x4D).
inline constexpr QStringView kAttackResultItems[] = {u"명중", u"격당", u"격당후퇴", u"후퇴", u"회피"};
// Kind of an attack of the second kind (tag 0x4E).
inline constexpr QStringView kAttackKindItems[] = {u"제자리공격", u"이동공격", u"서로돌격"};

inline constexpr int kLastAction = 15;
inline constexpr int kLastAttackResult = 4;
inline constexpr int kLastAttackKind = 2;

} // namespace commands::duel
