#pragma once

#include <wx/string.h>

class AccountProfitBook;
class RecordStore;
struct user_Account;

// The account steps that answers and pushes share. GUI thread only.

// Recomputes the account's floating profit (the sum over its hold bills),
// net value, free margin and risk rate, and updates the stored account. With
// a book the bills' shares are recomputed there; without one they are summed
// from the bills. Nothing happens for an unknown account.
void RefreshAccountProfit(RecordStore* db, int accountKey, AccountProfitBook* book = nullptr);
// The same figures from the profit the book holds now (after its bills or
// prices changed); the account is updated only when a figure moved.
void UpdateAccountProfit(RecordStore* db, int accountKey, AccountProfitBook& book);

// The account's line of the rotating status field.
wxString AccountStatusText(const user_Account& account);
// Sets that line, giving a new account its colour and its place in turn.
void UpdateAccountStatus(const user_Account& account);
