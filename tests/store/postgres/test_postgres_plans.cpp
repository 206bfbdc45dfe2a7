// The server seeks every pass by an index: no pass reads the whole table or sorts it, in
// either direction, from the start or from a bound, with the plan made for the values and
// with the plan the server keeps for a prepared statement.

#include "servertest.h"

#include "store/postgres/pgcodec.h"
#include "store/postgres/pgsql.h"
#include "store/transaction.h"

namespace {

class ServerPlans : public ::testing::Test, public EngineFixture
{
protected:
    ServerPlans()
        : EngineFixture(std::make_unique<ServerPlace>())
    {}
    const std::string &server() { return static_cast<ServerPlace &>(place()).server(); }
};

// The plan's text, one line after another.
std::string planOf(Client &client, const std::string &sql, const pg::Params &params)
{
    std::vector<std::string> values;
    const std::vector<const char *> pointers = params.pointers();
    for (const char *p : pointers)
        values.emplace_back(p);
    std::string plan;
    for (const auto &row : client.rows("EXPLAIN " + sql, values))
        plan += row[0] + '\n';
    return plan;
}

// The same for the plan the server keeps for the statement once prepared, whatever values
// come.
std::string genericPlanOf(Client &client, const std::string &sql, const pg::Params &params)
{
    std::string arguments;
    for (const char *p : params.pointers())
        arguments += std::string(arguments.empty() ? "" : ", ") + "'" + p + "'";
    client.run("SET plan_cache_mode = force_generic_plan");
    client.run("PREPARE pass AS " + sql);
    std::string plan;
    for (const auto &row : client.rows("EXPLAIN EXECUTE pass(" + arguments + ")"))
        plan += row[0] + '\n';
    client.run("DEALLOCATE pass");
    client.run("RESET plan_cache_mode");
    return plan;
}

TEST_F(ServerPlans, EveryPassOfEveryKeySeeksItsIndex)
{
    RecordFile &kunde = file(FileId::kunde);
    RecordFile &auftrag = file(FileId::auftrag);
    {
        ASSERT_EQ(engine.addToTransaction(kunde), 0);
        ASSERT_EQ(engine.addToTransaction(auftrag), 0);
        Transaction transaction(engine, 2);
        for (int i = 1; i <= 3000; ++i) {
            kunde.clear();
            kunde.buffer().set(KUN::KAID, i);
            kunde.buffer().set(KUN::KID, "K" + std::to_string(i));
            kunde.buffer().set(KUN::KNAME, "Kunde " + std::to_string(i * 7919 % 3000));
            kunde.buffer().set(KUN::KORT, i % 3 ? "Köln" : "Bonn");
            kunde.buffer().set(KUN::KPLZ, std::to_string(10000 + i % 89));
            ASSERT_EQ(kunde.add(), 0);
            auftrag.clear();
            auftrag.buffer().set(AUF::FAID, i);
            auftrag.buffer().set(AUF::FID, "F" + std::to_string(i));
            auftrag.buffer().set(AUF::FNR, "A-" + std::to_string(i));
            auftrag.buffer().set(AUF::FKUID, "K" + std::to_string(i % 97));
            auftrag.buffer().set(AUF::FSTAT, i % 2 ? "ANGEBOT" : "RECHNUNG");
            auftrag.buffer().set(AUF::FDATUM, 80000 + i % 365);
            ASSERT_EQ(auftrag.add(), 0);
        }
        ASSERT_EQ(transaction.commit(), 0);
    }
    Client client(server());
    client.run("ANALYZE");

    for (const FileId id : {FileId::kunde, FileId::auftrag}) {
        RecordFile &f = file(id);
        const FileDef &def = fileDef(id);
        // A record from the middle of the file bounds the passes.
        ASSERT_EQ(f.setStoredOrder(), 0);
        for (int i = 0; i < 1500; ++i)
            ASSERT_EQ(f.next(), 0);
        for (int key = 0; key < def.keyCount; ++key) {
            const KeySpec order = KeySpec::ofKey(id, key);
            const bool unique = def.keys[key].unique;
            for (const bool forward : {true, false}) {
                for (const pgsql::Bound bound :
                     {pgsql::Bound::None, pgsql::Bound::From, pgsql::Bound::After}) {
                    const std::string sql
                        = pgsql::passSql(def, order, unique, pgsql::Filter{}, forward, bound);
                    pg::Params params;
                    if (bound != pgsql::Bound::None) {
                        const auto values = pgcodec::keyValues(order, f.buffer());
                        for (std::size_t i = 0; i < order.parts.size(); ++i)
                            pgcodec::addComponent(
                                params, def, order.parts[i], order.noCase, values[i]);
                        if (!unique)
                            params.add("1500", pg::Type::Int8);
                    }
                    params.add("64", pg::Type::Int8);
                    SCOPED_TRACE(def.qualifiedKeyName(key) + (forward ? " forward " : " backward ")
                                 + std::to_string(static_cast<int>(bound)) + ": " + sql);
                    for (const std::string &plan :
                         {planOf(client, sql, params), genericPlanOf(client, sql, params)}) {
                        EXPECT_NE(plan.find("Index Scan"), std::string::npos) << plan;
                        EXPECT_EQ(plan.find("Seq Scan"), std::string::npos) << plan;
                        EXPECT_EQ(plan.find("Sort"), std::string::npos) << plan;
                    }
                }
            }
        }
    }
}

} // namespace
