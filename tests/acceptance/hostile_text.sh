#!/usr/bin/env bash
# Hostile model text through every way in: the same texts go in as class
# friendly names, member comments and a project name through the CLI, through
# a JSON model file, and as table and column comments through import-db from
# a private MariaDB. Each project is generated with its pages; then its Java
# tree must compile (javac), every XML file be well-formed, every page
# translate and compile on Jasper without evaluating model text
# (hostile/HostileTree.java), and no message text or build file hand a
# "${", "%{" or "#{" of the model to OGNL, Ant or Maven. Connection data with
# markup is refused at entry.
#   hostile_text.sh JAVAGEN_CLI TEMPLATE_DIR [legacy|current]
# shellcheck source=mariadb_script.sh
source "$(dirname "${BASH_SOURCE[0]}")/mariadb_script.sh" hostile-text "$@"

texts=(
  '${7*6}'
  '#{7*6}'
  '%{#application}'
  '${pageContext.request.remoteAddr}'
  "\${''.getClass().forName('java.lang.Runtime')}"
  "\${pageContext.request.getSession().setAttribute('username','admin')}"
  '${user.home}'
  '-- $packageName $className --'
  '</property><property name="hibernate.hbm2ddl.auto">create</property>'
  '<script>alert(1)</script>'
  '*/ int injected; /*'
  '\u000a int injected;'
  "\"'&<>\\"
)

cd "$work"
web_cp="$(bash "$java_dir/classpath.sh" --web)"
mkdir -p checker
javac -encoding UTF-8 -nowarn -cp "$web_cp" -d checker "$here/hostile/HostileTree.java"

step "connection data with markup is refused"
"$cli" --db cli.mdb project add 'P${user.home}--' > /dev/null || fail "project name refused"
project='P${user.home}--'
for option in --url --user --driver --dialect; do
  status=0
  "$cli" --db cli.mdb project database "$project" "$option" \
    'org.hibernate.dialect.MySQLDialect</property><property name="hibernate.hbm2ddl.auto">create' \
    > out.txt 2> err.txt || status=$?
  [ "$status" -eq 1 ] || fail "$option with markup: status $status $(cat err.txt)"
done

step "through the CLI"
accepted=0
for i in "${!texts[@]}"; do
  text="${texts[$i]}"
  "$cli" --db cli.mdb class add "$project" "C$i" "$text" > /dev/null 2> err.txt || {
    grep -q . err.txt || fail "class C$i refused without a message"; continue; }
  "$cli" --db cli.mdb member add "$project" "C$i" id int --primary --required --comment "$text" > /dev/null
  "$cli" --db cli.mdb member add "$project" "C$i" title string --display --query --comment "数$text" > /dev/null
  "$cli" --db cli.mdb member add "$project" "C$i" amount float --required --comment "$text" > /dev/null
  if [ "$i" -gt 0 ] && [ -n "$("$cli" --db cli.mdb class list "$project" | cut -f2 | grep -x "C0")" ]; then
    "$cli" --db cli.mdb member add "$project" "C$i" c0 C0 --required --query --comment "$text" > /dev/null
  fi
  accepted=$((accepted + 1))
done
[ "$accepted" -ge 10 ] || fail "only $accepted of ${#texts[@]} texts were accepted as friendly names"

step "ten members with the longest choice lists on one page (the JVM's 64 KB per method)"
choices="$(seq -s '|' 1 1000)"
"$cli" --db cli.mdb class add "$project" Many 多选 > /dev/null
"$cli" --db cli.mdb member add "$project" Many id int --primary --required --display > /dev/null
for k in 1 2 3 4 5 6 7 8 9 10; do
  "$cli" --db cli.mdb member add "$project" Many "kind$k" string --length 4 --choices "$choices" > /dev/null ||
    fail "a list of 1000 choices refused"
done
"$cli" --db cli.mdb member add "$project" Many tags string --length 4000 --choices "$choices" --choice-mode several \
  > /dev/null || fail "a list of 1000 choices refused (several)"

step "through a JSON model file"
"$cli" --db cli.mdb export "$project" model.json
"$cli" --db json.mdb import model.json > /dev/null || fail "import of the exported model"

step "through import-db"
start_mariadb || fail "the server did not start"
sql() { mariadb --no-defaults --socket="$sock" -uroot --default-character-set=utf8mb4 "$@"; }
quote() { local t="${1//\\/\\\\}"; printf "'%s'" "${t//\'/\'\'}"; }
{
  echo "CREATE DATABASE hostile CHARACTER SET utf8mb4; USE hostile;"
  echo "CREATE USER 'h'@'127.0.0.1' IDENTIFIED BY 'H-Pass.4'; GRANT ALL ON hostile.* TO 'h'@'127.0.0.1';"
  for i in "${!texts[@]}"; do
    c="$(quote "${texts[$i]}")"
    d="$(quote "数${texts[$i]}")"
    echo "CREATE TABLE t_$i (id INT PRIMARY KEY COMMENT $c, title VARCHAR(20) NOT NULL COMMENT $d,"
    echo "  amount DOUBLE NOT NULL COMMENT $c) COMMENT=$c;"
  done
  # An ENUM's values become the options of a drop-down.
  echo "CREATE TABLE t_enum (id INT PRIMARY KEY, kind ENUM('\${7*6}', '%{#application}', 'a%>b', 'x''y\\\\z',"
  echo "  '</select><script>alert(1)</script>', '#{7*6}') NOT NULL);"
} | sql
JAVAGEN_DB_PASSWORD=H-Pass.4 "$cli" --db db.mdb import-db --host 127.0.0.1 --port "$port" --user h \
  --database hostile Imported > import.txt 2> import.err || fail "import-db: $(cat import.err)"
grep -qF '可选 ${7*6}|%{#application}|a%>b|x'"'"'y\z|</select>' import.txt || fail "the ENUM has no choices: $(grep kind import.txt)"
stop_server

for way in cli json db; do
  step "$way: generate, compile, check"
  name="$("$cli" --db "$way.mdb" project list | head -1 | cut -f2)"
  "$cli" --db "$way.mdb" generate "$name" --webapp --target "$JAVAGEN_TARGET" --templates "$templates" --root "out-$way" > gen.out 2> gen.err \
    || fail "$way: generate: $(cat gen.err)"
  dir="$work/out-$way/projects/$name"
  bash "$java_dir/compile_tree.sh" "$dir/src" "$work/classes-$way" > compile.out 2>&1 \
    || fail "$way: the Java tree does not compile: $(tail -20 compile.out)"
  java -Djavagen.jsp.vm="$java_release" -cp "checker:$web_cp" javagen.acceptance.HostileTree "$dir" "$work/check-$way" "$work/classes-$way:$web_cp" \
    > check.out 2>&1 || fail "$way: $(grep -v '^[A-Z][a-z][a-z] [0-9]' check.out | tail -30)"
  # Struts messages (OGNL), Ant and Maven files never see an opener of the model.
  for file in $(find "$dir" -name '*-validation.xml' -o -name '*.properties' -o -name build.xml -o -name pom.xml); do
    grep -nE '(^|[^$\\])[$%#]\{(7\*6|#application|user\.home|pageContext|'"''"')' "$file" \
      && fail "$way: $file hands model text to an evaluator"
  done
done
echo "hostile-text: all checks passed"
