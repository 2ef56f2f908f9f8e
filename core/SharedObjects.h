// The shared managers of the core services, created at start-up in one order and freed in one order.
#pragma once

void CreateSharedObjects();
// Frees what CreateSharedObjects made, and the managers made on first use since; nothing twice.
void DestroySharedObjects();
