#pragma once

class RecordStore;
struct user_Account;

// One main account per currency: accountState '1' marks it, '2' every other
// account of that currency. Accounts whose mark changes are updated through
// the account table, so its observers follow.

// Makes the account the main one of its currency.
void SetMainAccount(RecordStore* store, const user_Account& account);

// For each currency, keeps the first account already marked main, or else
// makes the first account seen (in the table's primary order) the main one.
void EnsureMainAccounts(RecordStore* store);
