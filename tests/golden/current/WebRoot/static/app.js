/* The generated application's small scripts: the search-as-you-type picker. */
(function () {
  'use strict';

  /* Asks pick.json for the objects whose display member contains the text; calls back with [{key, text}]. */
  function search(picker, term, done) {
    var url = picker.getAttribute('data-url') + '?entity=' + encodeURIComponent(picker.getAttribute('data-entity'))
      + '&display=' + encodeURIComponent(picker.getAttribute('data-display')) + '&term=' + encodeURIComponent(term);
    fetch(url, { credentials: 'same-origin' }).then(function (r) { return r.json(); }).then(done);
  }

  /* The text field, its list of candidates, and what happens when one is chosen. */
  function candidates(picker, input, chosen) {
    var list = document.createElement('ul');
    list.hidden = true;
    picker.appendChild(list);
    var timer = null;
    input.addEventListener('input', function () {
      clearTimeout(timer);
      timer = setTimeout(function () {
        search(picker, input.value, function (rows) {
          list.innerHTML = '';
          rows.forEach(function (row) {
            var item = document.createElement('li');
            item.textContent = row.text;
            item.addEventListener('mousedown', function () {
              chosen(row);
              list.hidden = true;
            });
            list.appendChild(item);
          });
          list.hidden = rows.length === 0;
        });
      }, 250);
    });
    input.addEventListener('blur', function () { setTimeout(function () { list.hidden = true; }, 200); });
  }

  /* The message beside a picker whose text matches no chosen object; empty text clears it. */
  function complain(picker, text) {
    var note = picker.querySelector('.error');
    if (!note) {
      note = document.createElement('span');
      note.className = 'error';
      picker.appendChild(note);
    }
    note.textContent = text;
  }

  /* One object: typing clears the key (the empty text is no object), choosing sets it. */
  function single(picker) {
    var input = picker.querySelector('input[type=text]');
    var key = picker.querySelector('input[type=hidden]');
    var none = picker.getAttribute('data-none') || '';
    var picked = input.value;
    input.addEventListener('input', function () {
      key.value = none;
      picked = null;
    });
    candidates(picker, input, function (row) {
      key.value = row.key;
      input.value = picked = row.text;
      complain(picker, '');
    });
    return function () {
      if (input.value.trim() !== '' && input.value !== picked) {
        complain(picker, '\u6ca1\u6709\u4e0e\u201c' + input.value + '\u201d\u5bf9\u5e94\u7684\u9009\u9879\uff0c\u8bf7\u4ece\u5019\u9009\u4e2d\u9009\u62e9\uff0c\u6216\u6e05\u7a7a');
        return false;
      }
      if (input.value.trim() === '') {
        key.value = none;
      }
      return true;
    };
  }

  /* Several objects: each chosen one is a hidden key with a remove button. */
  function several(picker) {
    var input = picker.querySelector('input[type=text]');
    var name = picker.getAttribute('data-name');
    picker.addEventListener('click', function (e) {
      if (e.target.classList.contains('remove')) {
        e.target.parentNode.remove();
      }
    });
    candidates(picker, input, function (row) {
      var keys = picker.querySelectorAll('input[type=hidden]');
      if (!Array.prototype.some.call(keys, function (k) { return k.value === String(row.key); })) {
        var item = document.createElement('span');
        item.className = 'chosen';
        var key = document.createElement('input');
        key.type = 'hidden';
        key.name = name;
        key.value = row.key;
        var remove = document.createElement('button');
        remove.type = 'button';
        remove.className = 'remove';
        remove.title = '\u79fb\u9664';
        remove.textContent = '\u00d7';
        item.appendChild(key);
        item.appendChild(document.createTextNode(row.text));
        item.appendChild(remove);
        picker.insertBefore(item, input);
      }
      input.value = '';
      complain(picker, '');
    });
    return function () {
      if (input.value.trim() !== '') {
        complain(picker, '\u201c' + input.value + '\u201d\u5c1a\u672a\u9009\u5b9a\uff0c\u8bf7\u4ece\u5019\u9009\u4e2d\u9009\u62e9\uff0c\u6216\u6e05\u7a7a');
        return false;
      }
      return true;
    };
  }

  function pickers() {
    document.querySelectorAll('.picker').forEach(function (picker) {
      var valid = picker.classList.contains('multi') ? several(picker) : single(picker);
      var form = picker.closest('form');
      if (form) {
        form.addEventListener('submit', function (e) {
          if (!valid()) {
            e.preventDefault();
          }
        });
      }
    });
  }

  document.addEventListener('DOMContentLoaded', function () {
    pickers();
  });
})();
