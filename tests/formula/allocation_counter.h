// Counts heap allocations in the test program, so a promise of "no allocation" is checked.
#pragma once

long Allocation_Count();
