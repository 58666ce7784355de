#pragma once
// The two commands that name game variables by number: the variable test,
// whose key holds two counted lists, and the variable assignment, whose key
// holds one variable and the value False or True.
namespace commands::flow {

constexpr int kVariableTestCode = 0x05;
constexpr int kVariableSetCode = 0x0B;
// Fields of the assignment: the variable (4 bytes) and the value (2 bytes).
constexpr int kSetVariablePos = 9;
constexpr int kSetValuePos = 21;

} // namespace commands::flow
