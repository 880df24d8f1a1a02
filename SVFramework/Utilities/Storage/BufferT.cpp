#include "SVFramework/Utilities/Storage/BufferT.h"

namespace SV {

void RaiseBadAllocation() { throw Exception<std::bad_alloc>(); }

}  // namespace SV
