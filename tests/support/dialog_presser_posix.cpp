#include "dialog_presser.h"

namespace vendrel::test {

bool ModuleDrawsOwnDialogs()
{
    return false;
}

struct DialogPresser::Impl {};

DialogPresser::DialogPresser(int) {}
DialogPresser::~DialogPresser() = default;

int DialogPresser::Pressed() const
{
    return 0;
}

} // namespace vendrel::test
