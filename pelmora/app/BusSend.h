#ifndef PELMORA_APP_BUSSEND_H
#define PELMORA_APP_BUSSEND_H

// Prepares the bus for a send from the top level. wx 3.2 leaves unbound
// handlers as empty slots and compacts them during the next dispatch; when a
// plug-in answers inside our event with a send of its own (the login request
// does), that inner dispatch would compact the table under the outer one. A
// dispatch of an event nobody handles compacts it here, first.
void CompactBusHandlers();

#endif // PELMORA_APP_BUSSEND_H
