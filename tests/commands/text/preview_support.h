#pragma once
// Game data for the previews' tests: one person, number 4 "병정", with face
// number 1, so a dialogue page of that speaker shows a face.
#include "core/game/game_data.h"

namespace texttest {

inline core::game::GameData onePerson()
{
    core::game::GameData data;
    data.names.charNames.fill(QString(), 1028);
    data.names.charNames[4] = QStringLiteral("병정");
    data.persons.resize(1024);
    data.persons[4].face = 1;
    return data;
}

} // namespace texttest
