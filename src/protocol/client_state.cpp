#include "client_state.h"

ProgramState &programState()
{
    static ProgramState state;
    return state;
}
