#pragma once

#include <QString>

class Database;

// Rolls back on destruction unless committed. Move-only.
class Transaction {
public:
    explicit Transaction(Database& database);
    ~Transaction();
    Transaction(Transaction&& other) noexcept;
    Transaction& operator=(Transaction&&) = delete;
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool isActive() const { return database_ != nullptr; }
    bool commit();

private:
    Database* database_;
};
