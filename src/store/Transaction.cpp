#include "store/Transaction.h"

#include "store/Database.h"

Transaction::Transaction(Database& database) : database_(&database) {
    if (!database.handle().transaction()) database_ = nullptr;
}

Transaction::Transaction(Transaction&& other) noexcept : database_(other.database_) {
    other.database_ = nullptr;
}

Transaction::~Transaction() {
    if (database_) database_->handle().rollback();
}

bool Transaction::commit() {
    if (!database_) return false;
    const bool done = database_->handle().commit();
    if (!done) database_->handle().rollback();
    database_ = nullptr;
    return done;
}
